// Every message box and file dialog the program shows goes through this
// interface, so tests can answer them from a script.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QDialog;
class QWidget;

namespace velmora {

// What a file dialog is asked to look like and do.
struct FileDialogSettings {
    QString title;              // empty: the toolkit's own title
    QStringList filters;        // name filters, e.g. "*.pac (*.pac)"
    int selectedFilter = 0;     // index into filters
    QString defaultSuffix;      // added when the user types a name without one
    QString startName;          // the name (or path) the dialog opens on
    bool overwritePrompt = false;
    bool refuseReadOnly = false;  // a save dialog does not accept a file the user cannot write
    bool picturePreview = false;

    friend bool operator==(const FileDialogSettings&, const FileDialogSettings&) = default;
};

struct SaveFileChoice {
    QString path;
    int filterIndex = 0;

    friend bool operator==(const SaveFileChoice&, const SaveFileChoice&) = default;
};

class Prompts {
public:
    virtual ~Prompts() = default;

    // Exclamation icon, OK.
    virtual void warning(const QString& caption, const QString& text) = 0;
    // Question icon, Yes and No; true for Yes.
    virtual bool question(const QString& caption, const QString& text) = 0;
    // Error icon, OK.
    virtual void error(const QString& caption, const QString& text) = 0;
    // nullopt when the user cancels.
    virtual std::optional<QString> openFile(const FileDialogSettings& settings) = 0;
    virtual std::optional<SaveFileChoice> saveFile(const FileDialogSettings& settings) = 0;
    // One of `items`, starting on `current`; nullopt when the user cancels.
    virtual std::optional<int> chooseItem(const QString& caption, const QStringList& items, int current) = 0;
    // A dialog of the program's own, shown modally until it closes; true
    // when it was accepted (its OK), false for Cancel.
    virtual bool runDialog(QDialog& dialog) = 0;
};

// The real boxes and dialogs, owned by `parent` while they are shown.
class WidgetPrompts : public Prompts {
public:
    explicit WidgetPrompts(QWidget* parent) : parent_(parent) {}

    void warning(const QString& caption, const QString& text) override;
    bool question(const QString& caption, const QString& text) override;
    void error(const QString& caption, const QString& text) override;
    std::optional<QString> openFile(const FileDialogSettings& settings) override;
    std::optional<SaveFileChoice> saveFile(const FileDialogSettings& settings) override;
    std::optional<int> chooseItem(const QString& caption, const QStringList& items, int current) override;
    bool runDialog(QDialog& dialog) override;

private:
    QWidget* parent_;
};

}  // namespace velmora
