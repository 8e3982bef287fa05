#include "platform/ui/message_box.h"
#include "platform/ui/registry.h"
#include "support/test_files.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace testing_support;

TEST(QtMessageBox, showsJapaneseButtonsWithTheRightDefaultUnderTheProgramsName) {
    struct Case {
        platform::Buttons buttons;
        bool defaultSecond;
        QStringList captions;
        platform::Answer onEnter;
    };
    const Case cases[] = {
        {platform::Buttons::Ok, false, {"OK"}, platform::Answer::Ok},
        {platform::Buttons::OkCancel, false, {"OK", "キャンセル"}, platform::Answer::Ok},
        {platform::Buttons::OkCancel, true, {"OK", "キャンセル"}, platform::Answer::Cancel},
        {platform::Buttons::YesNo, false, {"はい", "いいえ"}, platform::Answer::Yes},
        {platform::Buttons::YesNo, true, {"はい", "いいえ"}, platform::Answer::No},
    };
    QApplication::setApplicationName("Kemlora");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.captions.join('/').toStdString() + (c.defaultSecond ? " second" : " first"));
        QStringList captions;
        QString title, text;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            for (auto *button : box->buttons())
                captions << button->text();
            QTest::keyClick(box, Qt::Key_Return);
        });
        const auto answer = platform::QtMessageBox().show("処理しますか。", c.buttons, c.defaultSecond);
        EXPECT_EQ(answer, c.onEnter);
        EXPECT_EQ(title, "Kemlora");
        EXPECT_EQ(text, QString::fromUtf8("処理しますか。"));
        captions.sort();
        QStringList expected = c.captions;
        expected.sort();
        EXPECT_EQ(captions, expected);
    }
}

TEST(LocalRegistry, theSystemInformationEntryNamesTheFirstToolOnThePath) {
    TempFolder bin;
    auto install = [&](const char *name) {
        QFile tool(QString::fromStdString(bin.file(name)));
        ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
        tool.write("#!/bin/sh\n");
        tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    };
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(bin.path().string()));
    platform::LocalRegistry registry;
    const std::string key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

    EXPECT_EQ(registry.GetKeyValue(key, "PATH"), std::nullopt) << "no tool installed";
    install("xfce4-taskmanager");
    install("gnome-system-monitor");
    EXPECT_EQ(registry.GetKeyValue(key, "PATH"), bin.file("gnome-system-monitor"));
    install("hardinfo");
    EXPECT_EQ(registry.GetKeyValue("HKEY_LOCAL_MACHINE\\software\\microsoft\\shared tools\\msinfo", "path"),
              bin.file("hardinfo"));
    // Nothing else is kept in our registry.
    EXPECT_EQ(registry.GetKeyValue("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"), std::nullopt);
    EXPECT_EQ(registry.GetKeyValue(key, "OTHER"), std::nullopt);
    qputenv("PATH", oldPath);
}
