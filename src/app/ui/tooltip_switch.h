#pragma once

#include <QObject>

namespace app::ui {

// Tooltips of the whole application on or off (the Hint setting).
class TooltipSwitch : public QObject {
    Q_OBJECT
public:
    explicit TooltipSwitch(QObject* parent = nullptr);
    ~TooltipSwitch() override;
    void setShown(bool shown) { shown_ = shown; }
    bool shown() const { return shown_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool shown_ = true;
};

}  // namespace app::ui
