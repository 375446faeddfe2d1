#pragma once
// A spectrum viewer's toolbar: two-state buttons found by key, each with its
// tool tip and a small drawn picture, sitting over the picture's top right
// corner. A click reports the key; the viewer then sets which buttons are
// down (a click alone does not change a button's state).
#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>

class QToolButton;

namespace orv::spectra {

struct ToolButtonDef {
    QString key;
    QString toolTip;
};

class ViewerToolbar : public QWidget {
    Q_OBJECT
public:
    ViewerToolbar(const QList<ToolButtonDef>& buttons, QWidget* parent);

    static constexpr int kButtonWidthTwips = 345;
    static constexpr int kButtonHeightTwips = 330;

    QToolButton* button(const QString& key) const { return buttons_.value(key); }
    void setDown(const QString& key, bool down);
    bool isDown(const QString& key) const;
    void setButtonEnabled(const QString& key, bool enabled);
    bool isButtonEnabled(const QString& key) const;
    // Places the toolbar at Top 0 with its right end 80 twips inside the picture's width.
    void placeOver(int pictureWidthTwips);
    // As a click on the button (only when it is enabled).
    void click(const QString& key);

signals:
    void buttonClick(const QString& key);

private:
    QHash<QString, QToolButton*> buttons_;
    QList<QString> order_;
};

} // namespace orv::spectra
