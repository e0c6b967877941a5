#pragma once
// The main window of the experiment window tests: "MDITAR" with an MDI area, built once per test
// run, and installed as the registry's main window at every call (other tests install their own).
#include <QMainWindow>
#include <QMdiArea>

#include "platform/WindowRegistry.h"

namespace exptest {

// A shown main window "MDITAR" with an MDI area; `addMenus` adds the menus the tests need.
template <typename AddMenus>
QMainWindow* NewMdiHost(AddMenus addMenus, int width, int height) {
    auto* main = new QMainWindow;
    main->setObjectName("MDITAR");
    main->setCentralWidget(new QMdiArea(main));
    addMenus(main);
    main->resize(width, height);
    main->show();
    return main;
}

// Makes `host` the registry's main window; its MDI area takes the child windows.
inline QMainWindow* InstallMdiHost(QMainWindow* host) {
    auto* area = host->findChild<QMdiArea*>();
    platform::Windows().Adopt("MDITAR", host);
    platform::Windows().SetMainWindow(host, [area](QWidget* form) { return area->addSubWindow(form); });
    return host;
}

}  // namespace exptest
