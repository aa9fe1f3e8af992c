// Files, rooms set up outside the history, room snapshots and the part
// menu for the GUI tests of the file and part commands.
#pragma once

#include "ui/mainform.h"
#include "ui/widgets/picture_box.h"
#include "document/document_data.h"
#include "core/image/bmp.h"
#include "core/room/room_file.h"

#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QString>
#include <QtTest>

#include <stdexcept>
#include <vector>

namespace velmora::test {

inline std::vector<uint8_t> ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    const QByteArray data = file.readAll();
    return std::vector<uint8_t>(data.begin(), data.end());
}

inline void WriteBytes(const QString& path, std::span<const uint8_t> bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size()))
        throw std::runtime_error("cannot write " + path.toStdString());
}

// The texts as room bytes, as a save writes them: a typed text encoded
// (a character the encoding lacks as its stand-in), an untouched one its
// own bytes.
inline RoomTexts RoomTextsOf(const TMainForm& form)
{
    const RoomDocument& document = form.document();
    std::array<std::string, 3> bytes;
    for (int field = 0; field < RoomDocument::kTextCount; ++field) {
        const DocumentText& text = document.text(field);
        bytes[size_t(field)] = text.typed ? document.codec().encode(*text.typed) : text.bytes;
    }
    return RoomTexts{bytes[0], bytes[1], bytes[2]};
}

// The room counts as changed from here on (true), or as saved (false).
inline void SetModified(TMainForm& form, bool modified)
{
    RoomDocument& document = form.document();
    if (modified)
        document.markUnsaved();
    else
        document.markSaved(document.filePath());
}

inline void MarkSaved(TMainForm& form)
{
    SetModified(form, false);
}

// The room with one picture, or its texts, replaced outside the history:
// as if it had been opened so (a new history), unsaved as it was.
inline void SetSlotPicture(TMainForm& form, int slot, Bitmap picture)
{
    DocumentData data = form.document().data();
    data.pictures.at(size_t(slot)) = std::move(picture);
    form.document().restore(std::move(data));
}

inline void SetRoomTexts(TMainForm& form, const RoomTexts& texts)
{
    DocumentData data = form.document().data();
    data.texts = {DocumentText{texts.name, std::nullopt}, DocumentText{texts.comment, std::nullopt},
                  DocumentText{texts.copyright, std::nullopt}};
    form.document().restore(std::move(data));
}

// Everything a failed command must leave as it was.
struct RoomState {
    std::vector<Bitmap> pictures;
    RoomTexts texts;
    bool modified = false;
    bool unsaved = false;

    static RoomState Of(const TMainForm& form)
    {
        RoomState s;
        for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot)
            s.pictures.push_back(form.document().picture(slot));
        s.texts = RoomTextsOf(form);
        s.modified = form.document().picturesChangedSinceClean();
        s.unsaved = form.document().hasUnsavedChanges();
        return s;
    }

    // The first difference, or empty when none.
    QString differenceFrom(const RoomState& other) const
    {
        for (size_t slot = 0; slot < pictures.size(); ++slot)
            if (!pictures[slot].samePicture(other.pictures[slot]))
                return QStringLiteral("picture of slot %1").arg(slot);
        if (!(texts == other.texts))
            return QStringLiteral("texts");
        if (modified != other.modified)
            return QStringLiteral("modified flag");
        if (unsaved != other.unsaved)
            return QStringLiteral("unsaved changes");
        return {};
    }
};

// The files in a folder, for checking that nothing was left behind.
// The system's own reason for a file that cannot be opened or created, in
// its own words ("No such file or directory"; Windows: "File not found.").
inline QString ReasonOpening(const QString& path, QIODevice::OpenMode mode)
{
    QFile file(path);
    return file.open(mode) ? QString() : file.errorString();
}

inline QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// Shows the window and makes it active, so that keys and menus reach it.
inline bool ShowActive(QWidget& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

// Chooses a part menu entry for `slot` with the mouse, `modifiers` held.
inline void ChooseFromMenu(TMainForm& form, int slot, const char* entry, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mousePress(form.pictureBox(slot), Qt::RightButton);
    QTest::mouseRelease(form.pictureBox(slot), Qt::RightButton);
    form.PopupMenuPopup();
    QMenu* menu = form.popupMenu();
    menu->popup(form.mapToGlobal(QPoint(40, 40)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    const QPoint at = menu->actionGeometry(form.findChild<QAction*>(entry)).center();
    QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, modifiers, at);
    QTRY_VERIFY(!menu->isVisible());
}

}  // namespace velmora::test
