#pragma once

#include <gtest/gtest.h>
#include <QObject>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace kv::test {

// A control that a window test relies on is missing: every step after this
// would crash on the null pointer or pass without testing anything, so the
// test stops here with the control's name.
[[noreturn]] inline void stopForMissingControl(const char* name) {
    ADD_FAILURE() << "no control named " << name;
    std::fflush(stdout);
    std::abort();
}

// The window's child of that type and object name; stops the test when there
// is none.
template <typename T>
T* findControl(const QObject* window, const char* name) {
    T* found = window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    if (!found) stopForMissingControl(name);
    return found;
}

}  // namespace kv::test
