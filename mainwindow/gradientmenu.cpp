#include "gradientmenu.h"

#include "mainwindow/gradientbar.h"
#include "mainwindow/gradientmodel.h"
#include "mainwindow/savedpresets.h"

#include <QActionGroup>
#include <QMenu>
#include <QPainter>

namespace huevane {

QIcon PresetIcon(const StopGradient &gradient)
{
    QPixmap pixmap(48, 12);
    QPainter painter(&pixmap);
    PaintGradient(painter, pixmap.rect(), gradient);
    return QIcon(pixmap);
}

QMenu *CreateGradientMenu(GradientModel *model, SavedPresets *saved,
                          const std::function<void()> &editGradient, const QKeySequence &editKey,
                          QWidget *parent)
{
    auto *menu = new QMenu(parent);
    QAction *edit = menu->addAction(QStringLiteral("&Edit gradient\u2026"), menu, editGradient);
    edit->setShortcut(editKey);
    menu->addSeparator();

    QMenu *presets = menu->addMenu(QStringLiteral("&Presets"));
    bool savedOnes = false;
    for (const NamedGradient &preset : AllPresets(*saved)) {
        if (preset.saved && !std::exchange(savedOnes, true))
            presets->addSeparator();
        presets->addAction(
            PresetIcon(preset.gradient), preset.name, menu,
            [model, gradient = preset.gradient] { model->setStopGradient(gradient); });
    }
    if (savedOnes) {
        QMenu *remove = menu->addMenu(QStringLiteral("&Delete saved preset"));
        for (const NamedGradient &preset : saved->presets())
            remove->addAction(preset.name, menu,
                              [saved, name = preset.name] { saved->remove(name); });
    }

    QMenu *spaces = menu->addMenu(QStringLiteral("Colour &space"));
    auto *group = new QActionGroup(spaces);
    for (ColourSpace space : ColourSpaces) {
        QAction *action = spaces->addAction(ColourSpaceName(space), menu,
                                            [model, space] { model->setSpace(space); });
        action->setCheckable(true);
        action->setChecked(model->space() == space);
        group->addAction(action);
    }
    return menu;
}

} // namespace huevane
