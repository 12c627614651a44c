#pragma once
// Two small entity classes that exercise what the project entities do not: an on-use column and
// a column of every SQL type.

#include "DORE_BaseObject.h"
#include "DORE_Collection.h"

#include <QByteArray>

class Test_Child;

class Test_Parent : public DORE_BaseObject {
    Q_OBJECT
    Q_CLASSINFO("Name", "DB")
    Q_CLASSINFO("Value", "DB")
    Q_CLASSINFO("Count", "DB")
    Q_CLASSINFO("Blob", "DB")
    Q_CLASSINFO("Extra", "DB")
    Q_CLASSINFO("Extra", "DB_GetOnUse")
    Q_CLASSINFO("Test_Child", "DB_REFFENCE")
    Q_PROPERTY(QString Name READ Name WRITE setName)
    Q_PROPERTY(double Value READ Value WRITE setValue)
    Q_PROPERTY(int Count READ Count WRITE setCount)
    Q_PROPERTY(QByteArray Blob READ Blob WRITE setBlob)
    Q_PROPERTY(QString Extra READ Extra WRITE setExtra)
    Q_PROPERTY(DORE_Collection<Test_Child> *REF_Test_Child READ REF_Test_Child RESET
                   resetREF_Test_Child)
public:
    explicit Test_Parent(LibDORE *db, QObject *parent = nullptr) : DORE_BaseObject(db, parent) {}
    ~Test_Parent() override;

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

    DORE_Collection<Test_Child> *REF_Test_Child();
    void resetREF_Test_Child();

private:
    QString m_name;
    double m_value = 0.0;
    int m_count = 0;
    QByteArray m_blob;
    QString m_extra;
    DORE_Collection<Test_Child> *m_children = nullptr;
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

inline Test_Parent::~Test_Parent()
{
    delete m_children;
}

inline DORE_Collection<Test_Child> *Test_Parent::REF_Test_Child()
{
    initReferences();
    return m_children;
}

inline void Test_Parent::resetREF_Test_Child()
{
    delete m_children;
    m_children = new DORE_Collection<Test_Child>(db(), QStringLiteral("Test_ParentID"),
                                                 QString::number(ID()));
}
