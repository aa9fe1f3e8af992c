// A private world for one GUI test: a program folder holding copies of the
// project's data files, a settings file, and a temporary folder set as
// "TEMP" for as long as the fixture lives.
#pragma once

#include "scripted_prompts.h"

#include "ui/services/environment.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace velmora {
class TMainForm;
}

namespace velmora::test {

class UiFixture {
public:
    UiFixture();
    ~UiFixture();

    Environment environment() const;
    QString programFolder() const;
    QString tempFolder() const;
    QString settingsFile() const;
    // The forms' recovery files, never the user's data folder.
    QString recoveryFolder() const;

    // Writes a file below the program folder (folders made as needed).
    void writeProgramFile(const QString& relativePath, const QByteArray& bytes) const;
    void removeProgramFile(const QString& relativePath) const;
    QByteArray readProgramFile(const QString& relativePath) const;

    // A main window on this fixture's world with scripted prompts.
    std::unique_ptr<TMainForm> makeForm();

    ScriptedPrompts prompts;
    // Documents the form asked the system's viewer to open, in order.
    const std::vector<QUrl>& openedUrls() const { return *openedUrls_; }
    // false: the system has no viewer for them (no web browser).
    void setViewerPresent(bool present) { *viewerPresent_ = present; }

private:
    QTemporaryDir dir_;
    QByteArray oldTemp_;
    bool hadTemp_;
    std::shared_ptr<std::vector<QUrl>> openedUrls_ = std::make_shared<std::vector<QUrl>>();
    std::shared_ptr<bool> viewerPresent_ = std::make_shared<bool>(true);
};

}  // namespace velmora::test
