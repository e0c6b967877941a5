#include "platform/TabRows.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace platform {

QWidget* ShowTabsInRows(QTabWidget* tabs, int perRow) {
    auto* box = new QWidget(tabs->parentWidget());
    box->setObjectName(tabs->objectName() + QStringLiteral("Rows"));
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto* rows = new QGridLayout;
    rows->setSpacing(2);
    auto* group = new QButtonGroup(box);
    group->setExclusive(true);
    for (int i = 0; i < tabs->count(); ++i) {
        auto* tab = new QPushButton(tabs->tabText(i), box);
        tab->setObjectName(QStringLiteral("%1Tab(%2)").arg(tabs->objectName()).arg(i));
        tab->setCheckable(true);
        tab->setToolTip(tabs->tabToolTip(i));
        group->addButton(tab, i);
        rows->addWidget(tab, i / perRow, i % perRow);
    }
    column->addLayout(rows);
    tabs->tabBar()->hide();
    tabs->setParent(box);
    column->addWidget(tabs, 1);
    QObject::connect(group, &QButtonGroup::idClicked, tabs, &QTabWidget::setCurrentIndex);
    const auto follow = [group](int index) {
        if (QAbstractButton* tab = group->button(index)) tab->setChecked(true);
    };
    QObject::connect(tabs, &QTabWidget::currentChanged, group, follow);
    follow(tabs->currentIndex());
    return box;
}

}  // namespace platform
