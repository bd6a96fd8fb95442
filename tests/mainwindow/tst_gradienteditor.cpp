// The gradient editor driven as a user drives it, step by step, with the mouse
// and the keys; its saved presets kept in a settings file of the test's own; the
// ways it opens; and every part of it reached by Tab, named and in its role.

#include "engine/stopslist.h"
#include "mainwindow/gradientbar.h"
#include "mainwindow/gradienteditor.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/savedpresets.h"
#include "platform/drawingsurface.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QInputDialog>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace huevane;

namespace {

void WriteFile(const QString &path, const QByteArray &contents)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        qFatal("%s cannot be written", qPrintable(path));
}

class Editor : public ColourChooser
{
public:
    Editor()
    {
        window.setColourChooser(this);
        window.show();
        window.showGradientEditor();
        editor = window.gradientEditor();
        bar = editor->bar();
        // 200 pixels from 0 to 100: a pixel is half a percent.
        bar->setFixedWidth(215);
        if (!QTest::qWaitForWindowExposed(editor))
            qFatal("the editor did not show");
    }

    std::optional<ColourValue> chooseColour(ColourValue initial, QWidget *) override
    {
        asked << QString::number(initial, 16);
        return answer;
    }

    QPoint at(double percent, int dy = 0) const
    {
        const QRect r = bar->gradientRect();
        return {r.left() + int(percent * 2), r.center().y() + dy};
    }

    template <typename T>
    T *get(const QString &text) const
    {
        for (T *w : editor->findChildren<T *>()) {
            if (w->accessibleName() == text || w->property("text").toString().remove(u'&') == text)
                return w;
        }
        qFatal("no %s", qPrintable(text));
    }

    void run(const QString &step)
    {
        const QString verb = step.section(u' ', 0, 0), arg = step.section(u' ', 1);
        QList<double> n;
        for (const QString &word : arg.split(u' '))
            n << word.toDouble();
        GradientModel &model = window.model();
        if (verb == "is") {
            const QString what = arg.section(u' ', 0, 0), value = arg.section(u' ', 1);
            const QString shown = what == "stops" ? StopsText(model.stops())
                : what == "selected"              ? QString::number(bar->selected())
                : what == "start"                 ? model.startValues().join(u' ')
                : what == "space"                 ? QString(ColourSpaceName(model.space()))
                : what == "message"               ? editor->message().left(value.size())
                : what == "asked"                 ? asked.join(u'|')
                : what == "focus"                 ? QApplication::focusWidget()->accessibleName()
                : what == "shown"                 ? QString::number(editor->isVisible())
                : what == "saved" ? QString::number(window.savedPresets().presets().size())
                                  : QStringLiteral("?");
            QVERIFY2(shown == value, qPrintable(what + " shows " + shown + ", not " + value));
        } else if (verb == "click") {
            QTest::mouseClick(bar, Qt::LeftButton, {}, at(n[0]));
        } else if (verb == "dclick") {
            QTest::mouseDClick(bar, Qt::LeftButton, {}, at(n[0]));
        } else if (verb == "drag") { // from a place, through others (with a height off the bar)
            QTest::mousePress(bar, Qt::LeftButton, {}, at(n[0]));
            for (qsizetype i = 1; i + 1 < n.size(); i += 2)
                QTest::mouseMove(bar, at(n[i], int(n[i + 1])));
            QTest::mouseRelease(bar, Qt::LeftButton, {}, at(n[n.size() - 2], int(n.last())));
        } else if (verb == "hold" || verb == "to" || verb == "let") { // a drag step by step
            const QPoint point = at(n[0], n.size() > 1 ? int(n[1]) : 0);
            verb == "hold"     ? QTest::mousePress(bar, Qt::LeftButton, {}, point)
                : verb == "to" ? QTest::mouseMove(bar, point)
                               : QTest::mouseRelease(bar, Qt::LeftButton, {}, point);
        } else if (verb == "key") {
            const QKeyCombination key = QKeySequence::fromString(arg)[0];
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        } else if (verb == "type") { // into the widget with the focus
            QTest::keyClicks(QApplication::focusWidget(), arg);
        } else if (verb == "focus") { // a modal question may have left the editor inactive
            editor->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(editor));
            get<QWidget>(arg)->setFocus(Qt::TabFocusReason);
        } else if (verb == "press") {
            get<QAbstractButton>(arg)->click();
        } else if (verb == "answer") {
            answer = arg == "none" ? std::nullopt : std::optional(arg.toUInt(nullptr, 16));
        } else if (verb == "name") { // the answer to the next question of a name
            QTimer::singleShot(0, [arg] {
                auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
                dialog->setTextValue(arg);
                dialog->accept();
            });
        } else {
            QFAIL(qPrintable("no step " + step));
        }
    }

    MainWindow window;
    GradientEditor *editor;
    GradientBar *bar;
    std::optional<ColourValue> answer;
    QStringList asked;
};

} // namespace

class tst_GradientEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void steps_data();
    void steps();
    void damagedPresetsFile();
    void opens();
    void everyPartByTab();

private:
    QTemporaryDir m_config;
};

void tst_GradientEditor::initTestCase()
{
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
}

void tst_GradientEditor::init()
{
    QFile::remove(SavedPresets::DefaultPath());
    QFile::remove(SavedPresets::DefaultPath() + ".damaged");
}

// clang-format off
void tst_GradientEditor::steps_data()
{
    QTest::addColumn<QString>("steps");
    const auto row = [](const char *name, const char *steps) { QTest::newRow(name) << QString(steps); };
    row("click: a stop with the colour there", "click 50; is stops FF461E,FFA20F,FFFF00; is selected 1; click 25; is stops FF461E,FF7416,FFA20F@50,FFFF00; is selected 1");
    row("drag: between its neighbours, within 0 to 100", "click 50; drag 50 80 0 30 0; is stops FF461E,FFA20F@30,FFFF00; drag 30 120 0 120 0; is stops FF461E,FFA20F@100,FFFF00; drag 100 -10 0 -10 0; is stops FF461E,FFA20F@0,FFFF00; drag 0 0 0; is selected 1");
    row("drag off the bar, and back", "click 50; drag 50 50 60 40 0; is stops FF461E,FFA20F@40,FFFF00; drag 40 40 -60; is stops FF461E,FFFF00; is selected 1; drag 100 100 -60; is stops FF461E,FFFF00");
    row("drag given up by Escape", "click 50; hold 50; to 80 0; is stops FF461E,FFA20F@80,FFFF00; key Escape; let 80; is stops FF461E,FFA20F,FFFF00; is shown 1; key Escape; is shown 0");
    row("keys: move, select, add, remove", "key Insert; is stops FF461E,FFA20F,FFFF00; key Right; key Shift+Right; is stops FF461E,FFA20F@61,FFFF00; key Left; key Up; key Left; is stops FF461E,FFA20F@60,FFFF00; key End; key Insert; is selected 2; key Delete; key Home; key Backspace; key Delete; is stops FFA20F@60,FFFF00; is start 255 162 15");
    row("keys: a move stops at a neighbour", "key Insert; key Shift+Right; key Shift+Right; key Shift+Right; key Shift+Right; key Shift+Right; key Shift+Right; is stops FF461E,FFA20F@100,FFFF00");
    row("colour: Enter, Space, a double click, a button", "answer 563412; key Return; is stops 123456,FFFF00; is start 18 52 86; answer none; key End; key Space; dclick 100; is asked 1e46ff|ffff|ffff; answer FF; press Stop 2, choose its colour; is stops 123456,FF0000");
    row("row: colour and place typed", "click 50; click 75; focus Stop 2, colour in hexadecimal; is selected 1; key Ctrl+A; type 00ff80; key Tab; is stops FF461E,00FF80@50,FFD008,FFFF00; is focus Stop 2, place in percent; key Ctrl+A; type 90; key Return; is stops FF461E,00FF80@75,FFD008@75,FFFF00; key Down; is stops FF461E,00FF80@74,FFD008@75,FFFF00; focus Stop 3, colour in hexadecimal; type 12; key Tab; is stops FF461E,00FF80@74,FFD008@75,FFFF00");
    row("evenly space and reverse", "click 10; click 20; press Evenly space; is stops FF461E,FF581B,FF6B18,FFFF00; press Reverse; is stops FFFF00,FF6B18,FF581B,FF461E; is start 255 255 0; is selected 1");
    row("space and hue", "focus Colour space; key Down; key Down; is space oklch; focus Hue; key Down; is stops FF461E,FFFF00");
    row("text: stops, CSS, and what is not read", "focus Gradient as text; key Ctrl+A; type 000000, ff0000@25,FFFFFF; key Return; is stops 000000,FF0000@25,FFFFFF; is message ; key Ctrl+A; type linear-gradient(to right, #00f, #0f0 40% 60%, #f00); key Tab; is stops 0000FF,00FF00@40,00FF00@60,FF0000; focus Gradient as text; key Ctrl+A; type red, blue; key Return; is message Not read: stop 1, 'red', is not a stop; is stops 0000FF,00FF00@40,00FF00@60,FF0000");
    row("presets: applied, saved, deleted", "focus Presets; key Down; key Down; key Return; is stops FFB347,FF5E3A,D62A68@70,5B1A8C; is space oklab; name  Mine ; press Save as preset…; is message Saved as the preset 'Mine'; is saved 1; focus Presets; key Home; key Return; is space hsl; key End; key Return; is stops FFB347,FF5E3A,D62A68@70,5B1A8C; key Delete; is saved 0; key Return; is space rgb");
}
// clang-format on

void tst_GradientEditor::steps()
{
    QFETCH(QString, steps);
    Editor e;
    for (const QString &step : steps.split(QStringLiteral("; "))) {
        e.run(step);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable("at the step: " + step));
    }
}

// A damaged file of saved presets: told once, left as it was, and kept aside
// when a preset is saved over it.
void tst_GradientEditor::damagedPresetsFile()
{
    const QString path = SavedPresets::DefaultPath();
    WriteFile(path, "[presets\nsize=1\n1\\name=x\n");
    Editor e;
    QVERIFY2(e.editor->message().contains("are damaged"), qPrintable(e.editor->message()));
    e.run("name kept");
    e.run("press Save as preset…");
    QVERIFY2(e.editor->message().contains(path + ".damaged"), qPrintable(e.editor->message()));
    QVERIFY(QFile::exists(path + ".damaged"));
    SavedPresets again(path);
    QCOMPARE(again.takeProblem(), QString());
    QCOMPARE(again.presets().size(), 1);
    QCOMPARE(again.presets().first().name, "kept");

    // A preset that does not read is left out, and the others kept.
    WriteFile(path,
              "[presets]\nsize=2\n1\\name=a\n1\\stops=FF0000\n1\\space=rgb\n"
              "1\\hue=shorter\n2\\name=b\n2\\stops=FF0000,00FF00\n2\\space=hsl\n"
              "2\\hue=longer\n");
    SavedPresets mixed(path);
    QCOMPARE(mixed.presets().size(), 1);
    QCOMPARE(mixed.presets().first().gradient.hue, HueRule::Longer);
    QVERIFY(mixed.takeProblem().endsWith("left out: 'a'."));
    QCOMPARE(mixed.takeProblem(), QString());
    QFile::remove(path);
    QVERIFY(QDir().mkpath(path));
    QVERIFY(SavedPresets(path).takeProblem().contains("cannot be read"));
    QDir().rmdir(path);
}

// From the key anywhere in the window, from the previews' context menu (not the
// third's menu key, which puts the turning point in the middle), and from their
// accessible action.
void tst_GradientEditor::opens()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.findChild<QWidget *>("txtString"), Qt::Key_G, Qt::ControlModifier);
    QVERIFY(window.gradientEditor() && window.gradientEditor()->isVisible());
    window.gradientEditor()->close();

    const auto menu = [] { return qobject_cast<QMenu *>(QApplication::activePopupWidget()); };
    auto *first = window.findChild<DrawingSurface *>("Picture4(0)");
    QTest::mouseClick(first, Qt::RightButton);
    QVERIFY(menu());
    QStringList captions;
    for (QAction *action : menu()->actions())
        captions << action->text();
    QCOMPARE(captions, QStringList({"&Edit gradient\u2026", "", "&Presets", "Colour &space"}));
    QAction *ocean = menu()->actions()[2]->menu()->actions()[3];
    QCOMPARE(ocean->text(), "ocean");
    ocean->trigger();
    QCOMPARE(StopsText(window.model().stops()), "A0F0FF,00B4D8@30,0066FF,0A1F6E");
    menu()->close();
    auto *third = window.findChild<DrawingSurface *>("Picture4(2)");
    third->setFocus();
    QTest::keyClick(third, Qt::Key_Menu);
    QVERIFY(!menu());
    auto *text = window.findChild<DrawingSurface *>("picGradText");
    text->setFocus();
    QTest::keyClick(text, Qt::Key_F10, Qt::ShiftModifier);
    QVERIFY(menu());
    menu()->actions().constFirst()->trigger();
    QTRY_VERIFY(window.gradientEditor()->isVisible());
    menu()->close();

    window.gradientEditor()->close();
    QAccessibleInterface *preview = QAccessible::queryAccessibleInterface(first);
    preview->actionInterface()->doAction(QStringLiteral("Edit gradient"));
    QTRY_VERIFY(window.gradientEditor()->isVisible());
}

// Tab goes round every part of the editor, each named for assistive technology,
// in a role that says what it does.
void tst_GradientEditor::everyPartByTab()
{
    Editor e;
    e.run("click 50");
    QStringList names;
    for (int i = 0; i < 40; ++i) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus && e.editor->isAncestorOf(focus));
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(focus);
        const QString name = accessible->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty(), focus->metaObject()->className());
        if (names.contains(name))
            break;
        names << name;
        QVERIFY(accessible->role() != QAccessible::Client
                && accessible->role() != QAccessible::NoRole);
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    // The bar, 3 rows of 3, 2 buttons, the space, the presets, a button, the text;
    // the hue and 'Delete preset' are disabled.
    QCOMPARE(names.size(), 16);
    QCOMPARE(names.first(), "Gradient stops");
    QVERIFY(names.contains("Stop 3, place in percent"));
    QCOMPARE(QAccessible::queryAccessibleInterface(e.bar)->role(), QAccessible::Slider);
}

QTEST_MAIN(tst_GradientEditor)
#include "tst_gradienteditor.moc"
