#pragma once

// The main window, shown and active, with typed access to its controls by name
// and the steps a user takes in it.

#include "engine/htmlwriter.h"
#include "hotcommand/hotcommand.h"
#include "mainwindow/mainwindow.h"
#include "platform/colourdialog.h"
#include "platform/drawingsurface.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace huevane::test {

// Answers the colour question as told, and remembers how it was asked.
class FakeChooser : public ColourChooser
{
public:
    std::optional<ColourValue> chooseColour(ColourValue initial, QWidget *parent) override
    {
        asked << initial;
        askedBy = parent;
        return answer;
    }

    std::optional<ColourValue> answer;
    QList<ColourValue> asked;
    QWidget *askedBy = nullptr;
};

class Window
{
public:
    Window()
    {
        window.setColourChooser(&chooser);
        window.setMessageSink([this](const QString &message) { messages << message; });
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the window did not become active");
    }

    template <typename T = QWidget>
    T *get(const QString &name) const
    {
        T *control = window.findChild<T *>(name);
        if (!control)
            qFatal("no control %s", qPrintable(name));
        return control;
    }

    QPlainTextEdit *text() const { return get<QPlainTextEdit>("txtString"); }
    QPlainTextEdit *html() const { return get<QPlainTextEdit>("txtHTML"); }
    QLineEdit *size() const { return get<QLineEdit>("txtSize"); }
    DrawingSurface *preview() const { return get<DrawingSurface>("picGradText"); }
    DrawingSurface *typePreview(int k) const
    {
        return get<DrawingSurface>(QStringLiteral("Picture4(%1)").arg(k));
    }
    const GradientSettings &settings() const { return window.settings(); }
    const ColourPanel &panel(int number) const { return window.colourPanel(number); }
    QLineEdit *field(int number, int index) const { return panel(number).fields[index]; }
    bool showsPlaceholder() const { return html()->toPlainText() == HtmlPlaceholder; }

    // The output box's text with its lines ended as the HTML writer ends them.
    QString htmlShown() const { return html()->toPlainText().replace(u'\n', "\r\n"); }

    // The decimal and hexadecimal texts of a panel.
    QStringList texts(int number) const
    {
        QStringList texts;
        for (QLineEdit *field : panel(number).fields)
            texts << field->text();
        return texts;
    }

    void click(QWidget *control) const
    {
        QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
    }
    void click(const QString &name) const
    {
        QWidget *control = get(name);
        if (auto *button = qobject_cast<HotCommand *>(control))
            control = button->picButton(); // the button's surface takes the clicks
        click(control);
    }

    // Clicks into @p field, which selects its text, and types @p typed over it.
    void edit(QLineEdit *field, const QString &typed) const
    {
        click(field);
        QCOMPARE(QApplication::focusWidget(), field);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, typed);
    }

    // Moves the focus on, which commits the field that has it.
    void leave() const { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }

    // Replaces the whole text of the text box by typing @p typed; "\n" is Enter.
    void type(const QString &typed) const
    {
        text()->setFocus();
        QTest::keyClick(text(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(text(), Qt::Key_Delete);
        for (QChar c : typed) {
            if (c == u'\n')
                QTest::keyClick(text(), Qt::Key_Return);
            else
                QTest::keyClicks(text(), QString(c));
        }
    }

    void typeSize(const QString &typed) const
    {
        size()->setFocus();
        size()->selectAll();
        QTest::keyClick(size(), Qt::Key_Backspace);
        QTest::keyClicks(size(), typed);
    }

    FakeChooser chooser;
    MainWindow window;
    QStringList messages;
};

} // namespace huevane::test
