#pragma once

#include <QObject>
#include <QVariant>

// Widgets and actions carry the id the terminal's dialogs give them, so that code and tests
// find a control by its id.
inline constexpr const char* kControlIdProperty = "controlId";

template <class T> T* WithControlId(T* object, int id)
{
    object->setProperty(kControlIdProperty, id);
    return object;
}

// The first child of root, at any depth, of type T that carries id; nullptr when none does.
template <class T> T* FindControl(const QObject* root, int id)
{
    const auto children = root->findChildren<T*>();
    for (T* child : children) {
        if (child->property(kControlIdProperty).toInt() == id)
            return child;
    }
    return nullptr;
}

// Like FindControl, but leaves out the controls inside outside: a main dialog's own controls
// without those of its pages, which may carry the same ids.
template <class T> T* FindControlOutside(const QObject* root, int id, const QObject* outside)
{
    const auto children = root->findChildren<T*>();
    for (T* child : children) {
        if (child->property(kControlIdProperty).toInt() != id)
            continue;
        const QObject* ancestor = child;
        while (ancestor && ancestor != outside)
            ancestor = ancestor->parent();
        if (!ancestor)
            return child;
    }
    return nullptr;
}
