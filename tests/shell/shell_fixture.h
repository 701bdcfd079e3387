#pragma once

// A main window that is never shown, with its Settings in memory, its
// questions answered by a script and its files in a temporary folder.

#include "edit/sandbox.h"
#include "model/document.h"
#include "model/document_file.h"
#include "model/page_setup.h"
#include "platform/memory_settings_store.h"
#include "scripted_prompts.h"
#include "shell/window/document_files.h"
#include "shell/window/document_window.h"
#include "shell/window/main_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace vlm::test {

// Business cards of 3.5 x 2 in on US Letter, 0.75 and 0.5 in margins, in a
// grid of `rows` x `columns`.
inline void letterCardSheet(HeaderFields& h, int rows, int columns, bool columnFold = false)
{
    h.designType = DesignBusinessCards;
    h.units = UnitInches;
    h.pixelsPerUnitX = h.pixelsPerUnitY = 96.0;
    h.pageDims[DimPaperWidth] = 8.5;
    h.pageDims[DimPaperHeight] = 11;
    h.pageDims[DimCardWidth] = 3.5;
    h.pageDims[DimCardHeight] = 2;
    h.pageDims[DimMarginLeft] = 0.75;
    h.pageDims[DimMarginTop] = 0.5;
    h.rows = rows;
    h.columns = columns;
    h.columnFold = columnFold ? 1 : 0;
    h.rowFold = 0;
}

struct ShellTest : ::testing::Test {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    MemorySettingsStore store;
    int quits = 0;
    std::unique_ptr<MainWindow> main;

    void SetUp() override { store.writeInteger("CustomSettings", "setupDone", 1); }
    void TearDown() override
    {
        main.reset();
        flushDeletes();
    }

    ShellEnvironment environment()
    {
        ShellEnvironment env;
        env.programPath = QStringLiteral("/usr/bin/vellumora");
        env.dataHome = dir.path() + QStringLiteral("/data");
        env.recoveryFolder = dir.path() + QStringLiteral("/recovery");
        env.quit = [this] { ++quits; };
        env.startHelper = [](const QString&, const QStringList&) { return true; };
        return env;
    }

    MainWindow& start()
    {
        main = std::make_unique<MainWindow>(prompts, store, environment());
        return *main;
    }

    // A running timer's time is up: what its timeout is connected to runs
    // now, without waiting on the clock.
    static void fire(QTimer& timer)
    {
        EXPECT_TRUE(timer.isActive()) << "the timer was not started";
        timer.stop();
        QMetaObject::invokeMethod(&timer, "timeout", Qt::DirectConnection);
    }

    // Closed windows are freed from the event loop.
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // A left-button event on a window's canvas, and a click made of two.
    static CanvasMouse At(int x, int y, bool ctrl = false)
    {
        CanvasMouse c;
        c.x = x;
        c.y = y;
        c.ctrl = ctrl;
        c.button = MouseButton::Left;
        return c;
    }
    static void click(Sandbox& box, int x, int y)
    {
        box.Image1MouseDown(At(x, y));
        box.Image1MouseUp(At(x, y));
    }

    QString path(const char* name) const { return dir.path() + QLatin1Char('/') + QString::fromUtf8(name); }

    // A document file written by the model itself; `tweak` changes the
    // Document before it is written.
    QString writeDocument(const char* name, const std::function<void(Document&)>& tweak = {},
                          const DocumentDefaults& defaults = {})
    {
        Document doc;
        InitDocument(doc, defaults, OpenDocumentList{});
        if (tweak)
            tweak(doc);
        const QString p = path(name);
        EXPECT_TRUE(WriteDocument(EncodedPath(p), doc.items));
        return p;
    }

    QByteArray bytesOf(const QString& p) const
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static void modify(DocumentWindow* w) { NewItem(w->document().items, KindLine); }
    static bool modified(DocumentWindow* w) { return IsModified(w->document().items); }
};

} // namespace vlm::test
