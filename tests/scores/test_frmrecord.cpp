#include "game/frmmain.h"
#include "recordfiles.h"
#include "scores/frmrecord.h"
#include "support/gameharness.h"
#include "ui/windowopener.h"

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextLayout>
#include <QTimer>

#include <cerrno>
#include <memory>

using namespace recordfiles;

// The high-score window offscreen, over files held in memory.
class TestFrmRecord : public QObject
{
    Q_OBJECT
private:
    static constexpr bool ViewMode = true;
    static constexpr bool GameOver = false;

    std::unique_ptr<frmRecord> open(const MemoryFiles &files, bool view, int score,
                                    QWidget *parent = nullptr)
    {
        auto w = std::make_unique<frmRecord>(files, Folder, view, score, parent);
        w->show();
        if (!QTest::qWaitForWindowActive(w.get())) {
            qWarning("window did not become active");
        }
        return w;
    }

    static QStringList items(const frmRecord &w)
    {
        QStringList out;
        for (int i = 0; i < w.List1->count(); ++i) {
            out << w.List1->item(i)->text();
        }
        return out;
    }

    static QStringList withHeading(const QStringList &lines)
    {
        return QStringList{RecordTable::headingLine(), RecordTable::ruleLine()} + lines;
    }

    static bool entryShown(const frmRecord &w) { return w.Frame1->isVisibleTo(&w); }

    static void saveShot(QWidget *w, const QString &name)
    {
        const QString dir = qEnvironmentVariable("TILNORA_TEST_OUTPUT", QDir::tempPath());
        QDir().mkpath(dir);
        QVERIFY(w->grab().save(dir + QLatin1Char('/') + name));
    }

private slots:
    void windowHasItsDesignFrame()
    {
        MemoryFiles files;
        auto w = open(files, ViewMode, 0);
        QCOMPARE(w->size(), QSize(312, 344));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QCOMPARE(w->windowTitle().trimmed(), QString());
        const Qt::WindowFlags f = w->windowFlags();
        QVERIFY(!(f & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(f & Qt::WindowMaximizeButtonHint));
        QVERIFY(f & Qt::WindowTitleHint);
    }

    void controlsStandAtTheirDesignPlaces()
    {
        MemoryFiles files;
        auto w = open(files, GameOver, 120);
        const std::pair<QWidget *, QRect> places[] = {
            {w->lblHighScore, QRect(102, 6, 103, 22)}, {w->List1, QRect(18, 36, 274, 196)},
            {w->Frame1, QRect(18, 243, 274, 58)},      {w->Text1, QRect(18, 21, 172, 22)},
            {w->cmdEnter, QRect(201, 21, 61, 22)},     {w->cmdClose, QRect(105, 309, 97, 28)},
        };
        for (const auto &[widget, rect] : places) {
            QCOMPARE(widget->geometry(), rect);
        }
        QCOMPARE(w->Text1->parentWidget(), w->Frame1);
        QCOMPARE(w->cmdEnter->parentWidget(), w->Frame1);
        QCOMPARE(w->lblHighScore->text(), QStringLiteral("High Scores"));
        QCOMPARE(w->cmdEnter->text(), QStringLiteral("Enter"));
        QCOMPARE(w->cmdClose->text(), QStringLiteral("Close"));
        QCOMPARE(w->Frame1->title(), QString());
        QCOMPARE(w->Text1->toolTip(), QStringLiteral("Enter your name."));
        QCOMPARE(w->Text1->text(), QStringLiteral("Ur Nick."));
        QCOMPARE(w->Text1->maxLength(), 8);
        QCOMPARE(w->List1->selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(!w->List1->isSortingEnabled());
    }

    void fontsAndColoursAreThoseOfTheDesign()
    {
        MemoryFiles files;
        auto w = open(files, ViewMode, 0);
        const QFontInfo title(w->lblHighScore->font());
        QCOMPARE(title.family(), QStringLiteral("Liberation Sans"));
        QVERIFY(title.bold());
        QCOMPARE(w->lblHighScore->font().pointSizeF(), 12.0);
        QCOMPARE(QFontInfo(w->List1->font()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(w->List1->font().pointSizeF(), 9.75);
        QCOMPARE(w->lblHighScore->palette().color(QPalette::WindowText), QColor(192, 64, 0));
        QCOMPARE(w->List1->palette().color(QPalette::Base), QColor(255, 255, 192));
        QCOMPARE(w->Text1->palette().color(QPalette::Base), QColor(224, 224, 224));
    }

    void opensOnCloseAndTabsInDesignOrder()
    {
        MemoryFiles files;
        auto w = open(files, GameOver, 120);
        QCOMPARE(QApplication::focusWidget(), w->cmdClose);
        QCOMPARE(w->Text1->text(), QStringLiteral("Ur Nick."));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->List1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->Text1);
        QCOMPARE(w->Text1->text(), QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->cmdEnter);
    }

    void listWithoutFileIsEmptyWithoutHeading_data()
    {
        QTest::addColumn<bool>("view");
        QTest::addColumn<int>("score");
        QTest::newRow("from the menu") << ViewMode << 0;
        QTest::newRow("game over with 0") << GameOver << 0;
        QTest::newRow("game over with 120") << GameOver << 120;
    }
    void listWithoutFileIsEmptyWithoutHeading()
    {
        QFETCH(bool, view);
        QFETCH(int, score);
        MemoryFiles files;
        auto w = open(files, view, score);
        QCOMPARE(w->List1->count(), 0);
        QCOMPARE(w->notice(), QString());
    }

    void fileWithoutEntriesShowsOnlyHeadingAndRule_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("0 bytes") << QByteArray("");
        QTest::newRow("text without CR LF") << QByteArray("1\tann\t\t250");
        QTest::newRow("LF-only line ends") << QByteArray("1\tann\t\t250\n2\tbob\t\t40\n");
    }
    void fileWithoutEntriesShowsOnlyHeadingAndRule()
    {
        QFETCH(QByteArray, file);
        MemoryFiles files;
        files.put(Path, file);
        auto w = open(files, ViewMode, 0);
        QCOMPARE(items(*w), withHeading({}));
        QCOMPARE(w->List1->item(1)->text().size(), 67);
    }

    void entryIsOfferedWhenTheScoreQualifies_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("view");
        QTest::addColumn<int>("score");
        QTest::addColumn<bool>("offered");
        QTest::newRow("no file, game over with 0") << QStringList{} << GameOver << 0 << false;
        QTest::newRow("no file, game over with 120") << QStringList{} << GameOver << 120 << true;
        QTest::newRow("nine entries, game over with 0")
            << descending(9, 900, 10) << GameOver << 0 << true;
        QTest::newRow("ten entries, tie with the last 50")
            << descending(10, 140, 10) << GameOver << 50 << false;
        QTest::newRow("ten entries, 51 beats the last 50")
            << descending(10, 140, 10) << GameOver << 51 << true;
        QTest::newRow("from the menu, whatever the score")
            << QStringList{} << ViewMode << 5000 << false;
        QTest::newRow("from the menu with entries")
            << descending(3, 90, 10) << ViewMode << 5000 << false;
    }
    void entryIsOfferedWhenTheScoreQualifies()
    {
        QFETCH(QStringList, entries);
        QFETCH(bool, view);
        QFETCH(int, score);
        QFETCH(bool, offered);
        MemoryFiles files;
        if (!entries.isEmpty()) {
            files.put(Path, fileOf(entries));
        }
        auto w = open(files, view, score);
        QCOMPARE(entryShown(*w), offered);
        QCOMPARE(w->newScore(), score);
        QCOMPARE(items(*w), entries.isEmpty() ? QStringList{} : withHeading(linesOf(entries)));
    }

    void enterAddsTheScoreOnceAndSavesIt_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Enter button") << "button";
        QTest::newRow("Return key in the name box") << "return";
        QTest::newRow("keypad Enter in the name box") << "enter";
    }
    void enterAddsTheScoreOnceAndSavesIt()
    {
        QFETCH(QString, how);
        MemoryFiles files;
        auto w = open(files, GameOver, 120);
        QTest::mouseClick(w->Text1, Qt::LeftButton);
        QCOMPARE(w->Text1->text(), QString());
        QTest::keyClicks(w->Text1, QStringLiteral("ann"));
        if (how == QLatin1String("button")) {
            QTest::mouseClick(w->cmdEnter, Qt::LeftButton);
        } else {
            QTest::keyClick(w->Text1,
                            how == QLatin1String("return") ? Qt::Key_Return : Qt::Key_Enter,
                            how == QLatin1String("enter") ? Qt::KeypadModifier : Qt::NoModifier);
        }
        QVERIFY(!entryShown(*w));
        QVERIFY(w->isVisible()); // Enter in the box presses no other button
        QCOMPARE(items(*w), withHeading({"1\tann\t\t120"}));
        QCOMPARE(files.content(Path), QByteArray("1\tann\t\t120\r\n"));
        QCOMPARE(w->notice(), QString());

        // No second entry in the same opening, whichever way it is asked for.
        w->Text1_KeyPress(13);
        w->cmdEnter_Click();
        QCOMPARE(files.writeAttempts().size(), 1);
        QCOMPARE(w->List1->count(), 3);
    }

    void enterOutsideTheNameBoxPressesOnlyAFocusedButton()
    {
        MemoryFiles files;
        auto w = open(files, GameOver, 120);
        w->List1->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w->List1, Qt::Key_Return);
        QVERIFY(w->isVisible());
        QVERIFY(entryShown(*w));
        QVERIFY(files.writeAttempts().isEmpty());
        w->cmdClose->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w->cmdClose, Qt::Key_Return);
        QVERIFY(!w->isVisible());
        QVERIFY(files.writeAttempts().isEmpty());
    }

    void escKeepsTheWindowAndTheNameBeingTyped()
    {
        MemoryFiles files;
        auto w = open(files, GameOver, 120);
        QTest::mouseClick(w->Text1, Qt::LeftButton);
        QTest::keyClicks(w->Text1, QStringLiteral("ann"));
        QTest::keyClick(w->windowHandle(), Qt::Key_Escape);
        QApplication::processEvents();
        QVERIFY(w->isVisible());
        QCOMPARE(w->Text1->text(), QStringLiteral("ann"));
        QTest::keyClick(w->windowHandle(), Qt::Key_Return);
        QCOMPARE(files.writeAttempts().size(), 1);
    }

    void urNickIsStoredWhenTheBoxNeverHadTheFocus()
    {
        MemoryFiles files;
        auto w = open(files, GameOver, 120);
        QTest::mouseClick(w->cmdEnter, Qt::LeftButton);
        QCOMPARE(items(*w), withHeading({"1\tUr Nick.\t\t120"}));
        QCOMPARE(files.content(Path), QByteArray("1\tUr Nick.\t\t120\r\n"));
    }

    void nameBoxTakesEightCharactersAndEmptiesOnEveryFocus()
    {
        MemoryFiles files;
        auto w = open(files, GameOver, 120);
        QTest::mouseClick(w->Text1, Qt::LeftButton);
        QTest::keyClicks(w->Text1, QStringLiteral("abcdefghij"));
        QCOMPARE(w->Text1->text(), QStringLiteral("abcdefgh"));
        QTest::keyClick(w->Text1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->cmdEnter);
        QTest::keyClick(w->cmdEnter, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), w->Text1);
        QCOMPARE(w->Text1->text(), QString());
    }

    void tenEntriesLoseTheLastToABetterScore()
    {
        MemoryFiles files;
        files.put(Path, fileOf(descending(10, 140, 10)));
        auto w = open(files, GameOver, 51);
        QVERIFY(entryShown(*w));
        QTest::mouseClick(w->cmdEnter, Qt::LeftButton);
        const QStringList expected = descending(9, 140, 10) + QStringList{"Ur Nick.=51"};
        QCOMPARE(files.content(Path), fileOf(expected));
        QCOMPARE(w->List1->count(), 12);
        QCOMPARE(w->List1->item(11)->text(), QStringLiteral("10\tUr Nick.\t\t51"));
        QVERIFY(!items(*w).contains(QStringLiteral("10\tp10\t\t50")));
    }

    void pastedNamesAreSavedSafely_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("TAB, CR and LF become blanks")
            << "a\tb\r\nc" << QByteArray("1\ta b  c\t\t120\r\n");
        QTest::newRow("non-Latin-1 letters become ?")
            << QStringLiteral("\u0418\u0432\u20ac") << QByteArray("1\t???\t\t120\r\n");
        QTest::newRow("Latin-1 letters stay 8-bit")
            << QStringLiteral("Zo\u00eb") << QByteArray("1\tZo\xeb\t\t120\r\n");
    }
    void pastedNamesAreSavedSafely()
    {
        QFETCH(QString, pasted);
        QFETCH(QByteArray, line);
        MemoryFiles files;
        auto w = open(files, GameOver, 120);
        w->Text1->setText(pasted);
        w->cmdEnter_Click();
        QCOMPARE(files.content(Path), line);
        // The next opening reads it back as it was listed.
        auto again = open(files, ViewMode, 0);
        QCOMPARE(items(*again), items(*w));
    }

    void unreadableFileIsReportedAndLeftAlone_data()
    {
        QTest::addColumn<bool>("view");
        QTest::newRow("from the menu") << ViewMode;
        QTest::newRow("at game over with a qualifying score") << GameOver;
    }
    void unreadableFileIsReportedAndLeftAlone()
    {
        QFETCH(bool, view);
        MemoryFiles files;
        const QByteArray old = fileOf({"ann=900"});
        files.put(Path, old);
        files.failWith(Path, EACCES, QStringLiteral("Permission denied"));
        auto w = open(files, view, 5000);
        QCOMPARE(w->notice(), QStringLiteral("Could not read the high scores: Permission denied"));
        QVERIFY(w->noticeLabel->isVisible());
        QVERIFY(!entryShown(*w));
        QCOMPARE(items(*w), withHeading({}));
        w->cmdEnter_Click();
        QVERIFY(files.writeAttempts().isEmpty());
        QCOMPARE(files.content(Path), old);
    }

    void failedSaveIsReportedAndTheOldFileKept_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::newRow("neither folder nor file writable") << EACCES << "Permission denied";
        QTest::newRow("disk full") << ENOSPC << "No space left on device";
    }
    void failedSaveIsReportedAndTheOldFileKept()
    {
        QFETCH(int, number);
        QFETCH(QString, description);
        MemoryFiles files;
        const QByteArray old = fileOf({"ann=900"});
        files.put(Path, old);
        files.failWritesWith(Path, number, description);
        auto w = open(files, GameOver, 120);
        QCOMPARE(w->notice(), QString());
        QTest::mouseClick(w->cmdEnter, Qt::LeftButton);
        QCOMPARE(w->notice(), QStringLiteral("Could not save the score: ") + description);
        QVERIFY(w->noticeLabel->isVisible());
        QCOMPARE(w->noticeLabel->geometry(), QRect(18, 243, 274, 58));
        QVERIFY(!entryShown(*w));
        QCOMPARE(files.content(Path), old);
    }

    void noticesFitOnOneLine_data()
    {
        QTest::addColumn<QString>("text");
        for (int e : {EACCES, ENOSPC, EROFS, EIO, EDQUOT, EISDIR}) {
            const QString why = QString::fromLocal8Bit(std::strerror(e));
            QTest::newRow(qPrintable(QStringLiteral("save: ") + why))
                << QStringLiteral("Could not save the score: ") + why;
            QTest::newRow(qPrintable(QStringLiteral("read: ") + why))
                << QStringLiteral("Could not read the high scores: ") + why;
        }
    }
    void noticesFitOnOneLine()
    {
        QFETCH(QString, text);
        MemoryFiles files;
        frmRecord w(files, Folder, ViewMode, 0);
        QVERIFY(w.noticeLabel->fontMetrics().horizontalAdvance(text) <= w.noticeLabel->width() - 4);
    }

    void columnsLineUpAtTheTabStops()
    {
        MemoryFiles files;
        frmRecord w(files, Folder, ViewMode, 0);
        // Where the score column starts in a line, as the list lays it out.
        auto scoreX = [&](const QString &line) {
            QTextLayout layout(line, w.List1->font());
            QTextOption option;
            option.setTabArray(w.listTabStops());
            layout.setTextOption(option);
            layout.beginLayout();
            QTextLine l = layout.createLine();
            l.setLineWidth(10000);
            layout.endLayout();
            return l.cursorToX(line.lastIndexOf(u'\t') + 1);
        };
        const qreal heading = scoreX(RecordTable::headingLine());
        for (const QString &line :
             {QStringLiteral("1\tUr Nick.\t\t120"), QStringLiteral("10\tWWWWWWWW\t\t2147483647"),
              QStringLiteral("2\t\t\t0"), QStringLiteral("3\tiiiiiiii\t\t5")}) {
            QCOMPARE(scoreX(line), heading);
        }
        // The heading and ten entries fit without scrolling.
        MemoryFiles full;
        full.put(Path, fileOf(descending(10, 9999999, 1)));
        auto shown = open(full, ViewMode, 0);
        QVERIFY(!shown->List1->verticalScrollBar()->isVisible());
    }

    void closeEndsTheWindowWithoutSaving()
    {
        MemoryFiles files;
        auto w = open(files, GameOver, 120);
        QTest::mouseClick(w->Text1, Qt::LeftButton);
        QTest::keyClicks(w->Text1, QStringLiteral("ann"));
        QTest::mouseClick(w->cmdClose, Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QVERIFY(files.writeAttempts().isEmpty());
    }

    void opensCentredOnTheMainWindow()
    {
        QWidget owner;
        owner.setGeometry(100, 120, 635, 484);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        MemoryFiles files;
        auto w = open(files, ViewMode, 0, &owner);
        QVERIFY((w->geometry().center() - owner.geometry().center()).manhattanLength() <= 2);
    }

    void openerHandsOverModeScoreAndFiles_data()
    {
        QTest::addColumn<bool>("blnHighScoreClick");
        QTest::addColumn<QString>("lblScore");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<int>("score");
        QTest::newRow("game over with 120") << false << "120" << true << 120;
        QTest::newRow("from the menu with 120") << true << "120" << false << 120;
        QTest::newRow("game over with 0") << false << "0" << false << 0;
        QTest::newRow("score label beyond 32 bits reads as 0")
            << false << "99999999999" << false << 0;
    }
    void openerHandsOverModeScoreAndFiles()
    {
        QFETCH(bool, blnHighScoreClick);
        QFETCH(QString, lblScore);
        QFETCH(bool, offered);
        QFETCH(int, score);
        GameHarness harness;
        harness.game().blnHighScoreClick = blnHighScoreClick;
        harness.game().lblScore.setCaption(lblScore);
        WindowOpener opener;
        opener.setModel(&harness.game());
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto *w = qobject_cast<frmRecord *>(QApplication::activeModalWidget());
            QVERIFY(w);
            seen = true;
            QCOMPARE(w->newScore(), score);
            QCOMPARE(entryShown(*w), offered);
            if (offered) {
                QTest::mouseClick(w->cmdEnter, Qt::LeftButton);
            }
            QTest::mouseClick(w->cmdClose, Qt::LeftButton);
        });
        opener.showModal(Window::Record);
        QVERIFY(seen);
        QVERIFY(!QApplication::activeModalWidget());
        const QString path = GameHarness::Folder + QStringLiteral("/record.dat");
        QCOMPARE(harness.files.content(path).has_value(), offered);
        if (offered) {
            QCOMPARE(*harness.files.content(path), QByteArray("1\tUr Nick.\t\t120\r\n"));
        }
    }

    void screenshotsOfBothModes()
    {
        MemoryFiles files;
        files.put(Path, fileOf({"Ur Nick.=1960", "ann=1210", "WWWWWWWW=810", "bob=640", "cy=490",
                                "dee=360", "eve=250", "fay=160", "gus=90", "hal=40"}));
        auto view = open(files, ViewMode, 0);
        saveShot(view.get(), QStringLiteral("frmrecord-view.png"));

        MemoryFiles few;
        few.put(Path, fileOf({"ann=1210", "bob=640", "cy=490"}));
        auto entry = open(few, GameOver, 300);
        QVERIFY(entryShown(*entry));
        saveShot(entry.get(), QStringLiteral("frmrecord-entry.png"));

        few.failWritesWith(Path, ENOSPC, QString::fromLocal8Bit(std::strerror(ENOSPC)));
        entry->cmdEnter_Click();
        saveShot(entry.get(), QStringLiteral("frmrecord-save-failed.png"));
    }
};

QTEST_MAIN(TestFrmRecord)
#include "test_frmrecord.moc"
