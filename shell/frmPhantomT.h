#pragma once
// The phantom window: an empty MDI child of zero size captioned "Hauptfenster". It stays loaded
// for the whole run; activating it brings the main window's own menus back while the diagram
// window stays open.
#include <QWidget>

class frmPhantomT : public QWidget {
    Q_OBJECT
public:
    explicit frmPhantomT(QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;

private:
    void Form_Load();
    void ShrinkFrame();
};
