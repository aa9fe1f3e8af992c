// The room's text fields: the 127-byte limit in the room encoding, line
// breaks as CR LF, and Enter. (The bytes an untouched text keeps are the
// document's: test_document.)
#include "common/room_text_codec.h"
#include "support/typing.h"
#include "ui/widgets/room_text_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QStringEncoder>
#include <QToolTip>
#include <QtTest>

using namespace velmora;

namespace {

QString Repeat(QChar c, int n)
{
    return QString(n, c);
}

}  // namespace

class RoomTextEditTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void lineBreaksBecomeCrLf();
    void prefixesAreCutBetweenCharacters();
    void typingStopsAtTheLimit();
    void aFullFieldSaysWhy();
    void typingReplacesASelection();
    void multiByteCharactersAreNotSplit();
    void pastingIsCutToFit();
    void aLineBreakCountsTwoBytes();
    void inputMethodTextIsCutToFit();
    void enterMakesNoLineBreak();

private:
    std::unique_ptr<RoomTextEdit> field_;
    RoomTextCodec codec_{"UTF-8"};
};

void RoomTextEditTest::init()
{
    field_ = std::make_unique<RoomTextEdit>();
    // Multi-byte cases need a multi-byte encoding, whatever the test's locale.
    field_->setCodec(RoomTextCodec("UTF-8"));
    field_->resize(185, 49);
    field_->show();
    QApplication::setActiveWindow(field_.get());
    QVERIFY(QTest::qWaitForWindowActive(field_.get()));
}

void RoomTextEditTest::lineBreaksBecomeCrLf()
{
    QCOMPARE(codec_.decode("a\r\nb\rc\nd"), QStringLiteral("a\nb\nc\nd"));
    QCOMPARE(codec_.encode(QStringLiteral("a\nb")), std::string("a\r\nb"));
    QCOMPARE(codec_.byteSize(QStringLiteral("a\nb")), size_t{4});
}

void RoomTextEditTest::prefixesAreCutBetweenCharacters()
{
    QCOMPARE(codec_.fitPrefix(QStringLiteral("abc"), 2), QStringLiteral("ab"));
    QCOMPARE(codec_.fitPrefix(QStringLiteral("abc"), 0), QString());
    QCOMPARE(codec_.fitPrefix(QStringLiteral("a\nb"), 2), QStringLiteral("a"));
    QCOMPARE(codec_.fitPrefix(QStringLiteral("a\nb"), 3), QStringLiteral("a\n"));
    const QString emoji = QString::fromUtf8("x\xF0\x9F\x98\x80y");  // a surrogate pair, 4 bytes
    QCOMPARE(codec_.fitPrefix(emoji, 4), QStringLiteral("x"));
    QCOMPARE(codec_.fitPrefix(emoji, 5), emoji.left(3));
}

void RoomTextEditTest::typingStopsAtTheLimit()
{
    QTest::keyClicks(field_.get(), Repeat('a', 130));
    QCOMPARE(field_->toPlainText(), Repeat('a', 127));
    QCOMPARE(codec_.byteSize(field_->toPlainText()), size_t{127});
    // Typing in the middle of a full field adds nothing either.
    QTest::keyClick(field_.get(), Qt::Key_Home);
    QTest::keyClicks(field_.get(), "b");
    QCOMPARE(field_->toPlainText(), Repeat('a', 127));
}

void RoomTextEditTest::aFullFieldSaysWhy()
{
    field_->setLimitText(QStringLiteral("At most 127 bytes"));
    QCOMPARE(field_->toolTip(), QStringLiteral("At most 127 bytes"));
    QTest::keyClicks(field_.get(), Repeat('a', 127));
    QVERIFY(!QToolTip::isVisible());
    QTest::keyClicks(field_.get(), "b");
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("At most 127 bytes"));
    QToolTip::hideText();
}

void RoomTextEditTest::typingReplacesASelection()
{
    field_->setPlainText(Repeat('a', 127));
    field_->selectAll();
    QTest::keyClicks(field_.get(), "b");
    QCOMPARE(field_->toPlainText(), QStringLiteral("b"));
}

void RoomTextEditTest::multiByteCharactersAreNotSplit()
{
    field_->setPlainText(Repeat('a', 125));
    field_->moveCursor(QTextCursor::End);
    test::TypeText(field_.get(), QStringLiteral("日"));  // 3 bytes: 128 would be too many
    QCOMPARE(field_->toPlainText(), Repeat('a', 125));
    test::TypeText(field_.get(), QStringLiteral("é"));  // 2 bytes: exactly 127
    QCOMPARE(field_->toPlainText(), Repeat('a', 125) + QStringLiteral("é"));
    QCOMPARE(codec_.byteSize(field_->toPlainText()), size_t{127});
}

void RoomTextEditTest::pastingIsCutToFit()
{
    field_->setPlainText(Repeat('a', 120));
    field_->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QStringLiteral("日本語"));
    field_->paste();
    const QString expected = QStringLiteral("日本");
    QCOMPARE(field_->toPlainText(), Repeat('a', 120) + expected);
    QVERIFY(codec_.byteSize(field_->toPlainText()) <= 127);
    QVERIFY(field_->document()->isModified());
}

void RoomTextEditTest::aLineBreakCountsTwoBytes()
{
    field_->setPlainText(Repeat('a', 124));
    field_->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QStringLiteral("b\r\ncd"));
    field_->paste();
    QCOMPARE(field_->toPlainText(), Repeat('a', 124) + QStringLiteral("b\n"));
    QCOMPARE(codec_.encode(field_->toPlainText()), std::string(124, 'a') + "b\r\n");
}

void RoomTextEditTest::inputMethodTextIsCutToFit()
{
    field_->setPlainText(Repeat('a', 125));
    field_->moveCursor(QTextCursor::End);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("xyz"));
    QApplication::sendEvent(field_.get(), &commit);
    QCOMPARE(field_->toPlainText(), Repeat('a', 125) + QStringLiteral("xy"));
}

void RoomTextEditTest::enterMakesNoLineBreak()
{
    QTest::keyClicks(field_.get(), "ab");
    QTest::keyClick(field_.get(), Qt::Key_Return);
    QTest::keyClick(field_.get(), Qt::Key_Enter);
    QTest::keyClicks(field_.get(), "c");
    QCOMPARE(field_->toPlainText(), QStringLiteral("abc"));
    QCOMPARE(field_->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

QTEST_MAIN(RoomTextEditTest)
#include "test_room_text_edit.moc"
