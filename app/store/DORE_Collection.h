#pragma once
// Typed collection of entity class T (a DORE_BaseObject subclass constructible from a LibDORE
// pointer). A child collection holds the rows whose foreign-key column equals the parent's key;
// a top-level collection holds every row of the table.

#include "CollectionCursor.h"
#include "DORE_CollectionBase.h"

template <class T>
class DORE_Collection : public DORE_CollectionBase {
public:
    // Every row of T's table.
    explicit DORE_Collection(LibDORE *db)
        : DORE_CollectionBase(db, &T::staticMetaObject, &create)
    {
    }
    // The rows whose column foreignKeyName equals foreignKeyValue (e.g. Data_LineID = 12).
    DORE_Collection(LibDORE *db, const QString &foreignKeyName, const QString &foreignKeyValue)
        : DORE_CollectionBase(db, &T::staticMetaObject, &create, foreignKeyName, foreignKeyValue)
    {
    }

    // Valid positions are 0 to count() - 1.
    CollectionCursor<T> at(int position)
    {
        CollectionCursor<T> cursor;
        cursor.collection = this;
        cursor.object = static_cast<T *>(objectAt(position, &cursor.position));
        return cursor;
    }
    // Inserts a row at once (constructor defaults and parent key); the caller then sets the other
    // properties and calls commit on the object.
    CollectionCursor<T> appendNew() { return at(appendNewObject()); }

private:
    static DORE_BaseObject *create(LibDORE *db) { return new T(db); }
};
