#pragma once

#include "editors/EditorTestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

// A page in an active window beside one more field, so that focus really moves between
// fields and the leave checks run as they do for the user.
template <typename TPageClass>
class TPageWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        page = new TPageClass(f.Context, &window);
        elsewhere = new QLineEdit(&window);
        elsewhere->setObjectName(QStringLiteral("elsewhere"));
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(page);
        layout->addWidget(elsewhere);
        page->Refresh();
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    template <typename T = QWidget>
    T* Find(const QString& name) const
    {
        T* widget = page->template findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    // Lets deferred reports run, as the event loop does between user actions.
    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    // Clicks into a field, replaces its text by typing and leaves it for the spare field.
    void TypeAndLeave(QLineEdit* field, const QString& text)
    {
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
        elsewhere->setFocus(Qt::TabFocusReason);
        Settle();
    }

    TEditorFixture f;
    QWidget window;
    TPageClass* page = nullptr;
    QLineEdit* elsewhere = nullptr;
};
