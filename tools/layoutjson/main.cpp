// huevane-layout: prints the window's layout at 96 DPI as JSON, for scripts that
// drive the window from outside (tests/desktop): the client area's size and each
// control's place, in pixels from the window's top-left corner, the names
// assistive technology knows the controls by, and, for a label that widens with
// its caption, the x its right edge may reach; and the submenus of the output
// box's 'Copy as', each with the names of its formats in menu order.
//   {"client": [632, 450], "controls": {"Label1": [x, y, width, height], ...},
//    "accessible": {"Label1": "Close", ...}, "growsTo": {"lblChars": x},
//    "copyAs": [["Web and documents", ["font", ...]], ...]}

#include "engine/formats.h"
#include "windowlayout/controls.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

using namespace huevane;

int main()
{
    QJsonObject controls;
    QJsonObject accessible;
    QJsonObject growsTo;
    for (const LayoutEntry &entry : WindowLayout()) {
        if (!entry.accessibleName.isEmpty())
            accessible.insert(entry.name, entry.accessibleName);
        if (entry.growsTo > 0)
            growsTo.insert(entry.name, DesignPixels(entry.growsTo));
        const QRect pixels = DesignPixels(entry.twips);
        controls.insert(entry.name,
                        QJsonArray {pixels.x(), pixels.y(), pixels.width(), pixels.height()});
    }
    QJsonArray copyAs;
    for (int g = 0; g < FormatGroupCount; ++g) {
        QJsonArray names;
        for (const OutputFormat format : FormatsIn(FormatGroup(g)))
            names.append(ToQString(RowOf(format).name));
        copyAs.append(QJsonArray {ToQString(FormatGroupCaptions[g]).remove(u'&'), names});
    }
    const QJsonObject layout {
        {"client", QJsonArray {DesignPixels(ClientWidthTwips), DesignPixels(ClientHeightTwips)}},
        {"controls", controls},
        {"accessible", accessible},
        {"growsTo", growsTo},
        {"copyAs", copyAs},
    };
    std::fputs(QJsonDocument(layout).toJson(QJsonDocument::Compact).constData(), stdout);
    return 0;
}
