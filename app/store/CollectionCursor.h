#pragma once
// What DORE_Collection::at and appendNew hand out: a position and the object at it, or position -1
// and no object when the position is not valid.

template <class T>
class DORE_Collection;

template <class T>
struct CollectionCursor {
    int position = -1;
    DORE_Collection<T> *collection = nullptr;
    T *object = nullptr;

    bool isValid() const { return position >= 0 && object != nullptr; }
};
