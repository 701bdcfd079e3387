#pragma once

// Files dropped on the main window from a file manager: a document opens
// in a window of its own, a picture opens as a new document with the
// picture dialog on it, as "Open" does. (A picture dropped on a document
// window is inserted into that document; the picture commands see it
// first.)

#include <QObject>
#include <QStringList>

class QMimeData;

namespace vlm {

class MainWindow;

class FileDrops : public QObject
{
public:
    // Lets the main window take drops; the main window owns the result.
    explicit FileDrops(MainWindow& main);

    // The local files of a drop this window opens, in their order.
    static QStringList openableFiles(const QMimeData* mime);
    // Opens them as a drop does.
    void openDropped(const QStringList& files);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow& main_;
};

} // namespace vlm
