#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "ScriptedPrompts.h"
#include "Shell.h"

namespace kinetra::test {

// The whole program in a working directory of its own, its questions answered from a script.
class ShellFixture : public ::testing::Test {
protected:
    void activate(QWidget& window)
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // Presses a key as the user would, in the window that has the focus.
    void press(QKeyCombination key)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget()
                                                      : QApplication::activeWindow();
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
    }

    // The program keeps its settings file and finds its catalogue in the working directory.
    struct WorkingDirectory {
        WorkingDirectory() { QDir::setCurrent(folder.path()); }
        ~WorkingDirectory() { QDir::setCurrent(previous); }
        QString previous = QDir::currentPath();
        QTemporaryDir folder;
    } workingDirectory;
    ScriptedPrompts prompts;
    Shell shell{u',', {}, prompts, prompts};
};

} // namespace kinetra::test
