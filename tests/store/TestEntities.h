#pragma once
// Two small entity classes for what the project entities do not have: an on-use column, and a
// table of our own whose creation a test can make fail.

#include "DORE_BaseObject.h"

#include <QByteArray>

class Test_Parent : public DORE_BaseObject {
    Q_OBJECT
    Q_CLASSINFO("Name", "DB")
    Q_CLASSINFO("Value", "DB")
    Q_CLASSINFO("Count", "DB")
    Q_CLASSINFO("Blob", "DB")
    Q_CLASSINFO("Extra", "DB")
    Q_CLASSINFO("Extra", "DB_GetOnUse")
    Q_PROPERTY(QString Name READ Name WRITE setName)
    Q_PROPERTY(double Value READ Value WRITE setValue)
    Q_PROPERTY(int Count READ Count WRITE setCount)
    Q_PROPERTY(QByteArray Blob READ Blob WRITE setBlob)
    Q_PROPERTY(QString Extra READ Extra WRITE setExtra)
public:
    explicit Test_Parent(LibDORE *db, QObject *parent = nullptr) : DORE_BaseObject(db, parent) {}

    QString Name() const { return m_name; }
    void setName(const QString &v) { m_name = v; propertyChanged("Name"); }
    double Value() const { return m_value; }
    void setValue(double v) { m_value = v; propertyChanged("Value"); }
    int Count() const { return m_count; }
    void setCount(int v) { m_count = v; propertyChanged("Count"); }
    QByteArray Blob() const { return m_blob; }
    void setBlob(const QByteArray &v) { m_blob = v; propertyChanged("Blob"); }
    QString Extra() const { return m_extra; }
    void setExtra(const QString &v) { m_extra = v; propertyChanged("Extra"); }

private:
    QString m_name;
    double m_value = 0.0;
    int m_count = 0;
    QByteArray m_blob;
    QString m_extra;
};

class Test_Child : public DORE_BaseObject {
    Q_OBJECT
    Q_CLASSINFO("Label", "DB")
    Q_CLASSINFO("Test_ParentID", "DB")
    Q_CLASSINFO("Test_ParentID", "DB_INDEX")
    Q_PROPERTY(QString Label READ Label WRITE setLabel)
    Q_PROPERTY(int Test_ParentID READ Test_ParentID WRITE setTest_ParentID)
public:
    explicit Test_Child(LibDORE *db, QObject *parent = nullptr) : DORE_BaseObject(db, parent) {}

    QString Label() const { return m_label; }
    void setLabel(const QString &v) { m_label = v; propertyChanged("Label"); }
    int Test_ParentID() const { return m_parentId; }
    void setTest_ParentID(int v) { m_parentId = v; propertyChanged("Test_ParentID"); }

private:
    QString m_label;
    int m_parentId = -1;
};
