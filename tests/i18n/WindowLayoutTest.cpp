// Each main window, offscreen, in Japanese and in English: every text fits
// its control and no control overlaps another.

#include "../panel/PanelFixture.h"
#include "../rigctl/ControllerFixture.h"
#include "TestPaths.h"
#include "WidgetApplication.h"
#include "panel/ui/PanelWindow.h"
#include "platform/Language.h"
#include "rigctl/ui/RigCombinationWindow.h"
#include "rigctl/ui/RigSettingsWindow.h"
#include "rigctl/ui/SatelliteEditorWindow.h"
#include "rigctl/ui/WsjtSettingsWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTranslator>

using namespace vm;
using namespace vm::test;

namespace {

void useLanguage(UiLanguage language)
{
    ensureWidgetApplication();
    static QTranslator english;
    QCoreApplication::removeTranslator(&english);
    if (language == UiLanguage::English) {
        ASSERT_TRUE(english.load(QStringLiteral("velomira_en"), translationsDir(binDir())));
        QCoreApplication::installTranslator(&english);
    }
}

QString shown(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// Where a text is wider or taller than its control, or two visible controls
// of one parent overlap: one line each.
QStringList layoutProblems(const QWidget &window)
{
    QStringList problems;
    QList<QWidget *> controls;
    for (QWidget *w : window.findChildren<QWidget *>()) {
        if (!w->isVisibleTo(&window) || qobject_cast<QStatusBar *>(w->parentWidget()))
            continue;
        const QFontMetrics fm = w->fontMetrics();
        QString text;
        int room = 0;
        if (auto *label = qobject_cast<QLabel *>(w); label && !label->wordWrap()) {
            text = label->text();
            room = label->contentsRect().width();
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            text = shown(button->text());
            // A push button's padding may shrink to its frame; a check box
            // or radio button keeps its indicator.
            const bool plain = qobject_cast<QPushButton *>(w) != nullptr;
            room = button->width() - (plain ? 4 : button->sizeHint().width() - fm.horizontalAdvance(text));
        } else if (auto *box = qobject_cast<QGroupBox *>(w)) {
            text = shown(box->title());
            room = box->width();
        }
        if (!text.isEmpty()) {
            const QRect need = fm.boundingRect(QRect(0, 0, 10000, 10000), Qt::AlignLeft, text);
            if (need.width() > room || (qobject_cast<QLabel *>(w) && need.height() > w->height()))
                problems << QStringLiteral("%1 \"%2\" needs %3 px, has %4")
                                .arg(w->objectName(), text)
                                .arg(need.width())
                                .arg(room);
        }
        if (qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w) ||
            qobject_cast<QGroupBox *>(w) || qobject_cast<QListWidget *>(w))
            controls << w;
    }
    for (qsizetype i = 0; i < controls.size(); ++i)
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            if (controls[i]->parentWidget() == controls[j]->parentWidget() &&
                controls[i]->geometry().intersects(controls[j]->geometry()))
                problems << controls[i]->objectName() + QStringLiteral(" overlaps ") +
                                controls[j]->objectName();
    return problems;
}

class PanelLayout : public PanelFixture, public ::testing::WithParamInterface<UiLanguage> {
protected:
    void SetUp() override
    {
        useLanguage(GetParam()); // before the core declares its captions
        PanelFixture::SetUp();
    }
};

class ControllerLayout : public ControllerFixture, public ::testing::WithParamInterface<UiLanguage> {
protected:
    void SetUp() override
    {
        useLanguage(GetParam());
        ControllerFixture::SetUp();
    }
};

} // namespace

TEST_P(PanelLayout, TextsFitAndControlsDoNotOverlap)
{
    PanelWindow window(*m_core, *m_settings, m_launcher);
    window.show();
    EXPECT_EQ(layoutProblems(window), QStringList());
}

TEST_P(ControllerLayout, TextsFitAndControlsDoNotOverlap)
{
    Controller &c = started();
    RigSettingsWindow settings(c);
    SatelliteEditorWindow satellites(c);
    RigCombinationWindow combinations(c);
    WsjtSettingsWindow wsjt(c);
    for (QWidget *w : std::initializer_list<QWidget *>{&settings, &satellites, &combinations, &wsjt}) {
        w->show();
        EXPECT_EQ(layoutProblems(*w), QStringList()) << w->objectName().toStdString();
    }
}

const auto languages = ::testing::Values(UiLanguage::Japanese, UiLanguage::English);
std::string languageName(const ::testing::TestParamInfo<UiLanguage> &info)
{
    return info.param == UiLanguage::Japanese ? "Japanese" : "English";
}
INSTANTIATE_TEST_SUITE_P(Languages, PanelLayout, languages, languageName);
INSTANTIATE_TEST_SUITE_P(Languages, ControllerLayout, languages, languageName);
