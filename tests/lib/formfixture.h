// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// A fresh window of class TForm for each test, with the shell's open requests written down in
// Opened instead of carried out.
#pragma once

#include "platform/system/productidentity.h"
#include "platform/system/shell.h"

#include <QApplication>
#include <QString>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

template <class TForm> class TFormFixture : public testing::Test {
protected:
    void SetUp() override
    {
        InitProductIdentity();
        QApplication::setQuitOnLastWindowClosed(false);
        m_previousShell = SetShellOpenHandler([this](const QString& Target) {
            Opened.push_back(Target);
            return true;
        });
        Form = MakeForm();
    }
    void TearDown() override
    {
        Form.reset();
        SetShellOpenHandler(m_previousShell);
    }

    // A window whose constructor takes more than its parent says so here.
    virtual std::unique_ptr<TForm> MakeForm() { return std::make_unique<TForm>(); }

    // The child of that object name; a test fails when there is none.
    template <class Widget = QWidget> Widget* Component(const char* Name) const
    {
        auto* widget = Form->template findChild<Widget*>(QLatin1String(Name));
        EXPECT_NE(widget, nullptr) << Name;
        return widget;
    }

    std::unique_ptr<TForm> Form;
    std::vector<QString> Opened;

private:
    TShellOpenHandler m_previousShell;
};
