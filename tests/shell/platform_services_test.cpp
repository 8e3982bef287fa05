// The real platform stand-ins: the message box's Japanese buttons and default, Qt's own dialogs in Japanese,
// and our own registry.
#include "platform/ui/file_dialog.h"
#include "platform/ui/message_box.h"
#include "platform/ui/qt_translation.h"
#include "platform/ui/registry.h"
#include "support/test_files.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

using platform::Answer;
using platform::Buttons;

TEST(QtTranslation, theStandardDialogsButtonsAndFileColumnsSpeakJapanese) {
    // The translator leaves the application with the test.
    std::unique_ptr<QTranslator> translator(platform::installQtJapanese(*QCoreApplication::instance()));
    ASSERT_NE(translator, nullptr) << "Qt's Japanese translation is not installed";
    QDialogButtonBox buttons(QDialogButtonBox::Open | QDialogButtonBox::Cancel);
    const QString texts = buttons.button(QDialogButtonBox::Open)->text() + "|" +
                          buttons.button(QDialogButtonBox::Cancel)->text() + "|" +
                          QFileSystemModel().headerData(0, Qt::Horizontal).toString();
    EXPECT_EQ(texts.toStdString(), "開く|キャンセル|名前");
}

TEST(QtMessageBox, showsJapaneseButtonsWithTheRightDefaultUnderTheProgramsName) {
    struct Case {
        Buttons buttons;
        bool defaultSecond;
        QString captions; // in the box's order
        Answer onEnter;
    } cases[] = {{Buttons::Ok, false, "OK", Answer::Ok},
                 {Buttons::OkCancel, false, "OK/キャンセル", Answer::Ok},
                 {Buttons::OkCancel, true, "OK/キャンセル", Answer::Cancel},
                 {Buttons::YesNo, false, "はい/いいえ", Answer::Yes},
                 {Buttons::YesNo, true, "はい/いいえ", Answer::No}};
    QApplication::setApplicationName("Kemlora");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.captions.toStdString() + (c.defaultSecond ? " second" : " first"));
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen << box->windowTitle() << box->text();
            QStringList captions;
            for (auto* button : box->buttons())
                captions << button->text();
            captions.sort();
            seen << captions.join('/');
            QTest::keyClick(box, Qt::Key_Return);
        });
        EXPECT_EQ(platform::QtMessageBox().show("処理しますか。", c.buttons, c.defaultSecond), c.onEnter);
        QStringList expected = c.captions.split('/');
        expected.sort();
        EXPECT_EQ(seen, (QStringList{"Kemlora", QString::fromUtf8("処理しますか。"), expected.join('/')}));
    }
}

TEST(QtFileDialog, theOpenDialogTakesATypedNameWhetherOrNotAFileHasIt) {
    testing_support::TempFolder folder;
    testing_support::copyTemplate(folder, "book.mdb");
    platform::FileDialogRequest request;
    request.title = "ファイルの指定";
    request.folder = folder.path().string() + "/";
    request.filter = "*.*";
    // A dialog that refuses the name stays open behind its message; this closes both, so that the test
    // fails rather than waits.
    QTimer stuck;
    QObject::connect(&stuck, &QTimer::timeout, [] {
        if (auto* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    for (const char* typed : {"book", "book.mdb"}) {
        SCOPED_TRACE(typed);
        QString title;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            auto* name = dialog ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
            if (!name) return;
            title = dialog->windowTitle();
            QTest::keyClicks(name, typed);
            QTest::keyClick(name, Qt::Key_Return);
        });
        stuck.start(2000);
        EXPECT_EQ(platform::QtFileDialog().choose(request), folder.file(typed));
        stuck.stop();
        EXPECT_EQ(title.toStdString(), request.title);
    }
}

TEST(LocalRegistry, theSystemInformationEntryNamesTheFirstToolOnThePath) {
    testing_support::TempFolder bin;
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(bin.path().string()));
    platform::LocalRegistry registry;
    const std::string key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    EXPECT_EQ(registry.GetKeyValue(key, "PATH"), std::nullopt) << "no tool installed";
    // Each tool installed is preferred to those installed before it.
    for (const char* tool : {"xfce4-taskmanager", "gnome-system-monitor", "hardinfo"}) {
        QFile file(QString::fromStdString(bin.file(tool)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_EQ(registry.GetKeyValue("HKEY_LOCAL_MACHINE\\software\\microsoft\\shared tools\\msinfo", "path"),
                  bin.file(tool));
    }
    // Nothing else is kept in our registry.
    EXPECT_EQ(registry.GetKeyValue("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"), std::nullopt);
    EXPECT_EQ(registry.GetKeyValue(key, "OTHER"), std::nullopt);
    qputenv("PATH", oldPath);
}
