// The bar over a result window whose inputs changed after it was computed:
// "I dati sono cambiati dopo il calcolo" and "Aggiorna", which asks the
// window to compute it again. Hidden while the result is current.
#pragma once

#include <QFrame>

#include <functional>

class QPushButton;

namespace zolt {

class StaleResultBar : public QFrame {
    Q_OBJECT

public:
    static constexpr const char* kText = "I dati sono cambiati dopo il calcolo";

    // `stale` tells whether the records no longer hold the inputs of the
    // result shown; it is asked again whenever the inputs may have changed.
    explicit StaleResultBar(std::function<bool()> stale, QWidget* parent = nullptr);

    // Shows or hides the bar as `stale` now answers.
    void Recheck();

signals:
    void RefreshRequested();

private:
    std::function<bool()> m_stale;
};

} // namespace zolt
