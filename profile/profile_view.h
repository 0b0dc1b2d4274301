// The drawing beside the layer table: the soil profile to scale (one scale
// across and down) with the footing of width B whose base is at depth D,
// the layer boundaries with their depths, the water table, and the depth
// D + B down to which the ground model takes its means.
#pragma once

#include "ground/ground_model.h"

#include <QWidget>

namespace zolt {

class ProfileView : public QWidget {
    Q_OBJECT

public:
    explicit ProfileView(QWidget* parent = nullptr);
    ~ProfileView() override;

    // Shows `ground` (`soil` when it has no layers) under a footing of
    // width B whose base is at depth D (m).
    void SetGround(const GroundData& ground, const SoilData& soil, double B, double D);
    const ground::Profile& Shown() const { return m_profile; }

    // Pixels per metre, and the pixel row of depth z (m) below the ground
    // surface, as last drawn at the widget's size.
    double Scale() const;
    int DepthToY(double z) const;
    // The depth the drawing reaches at its foot, m.
    double ShownDepth() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Frame {
        double scale = 1.0; // px per m
        double surfaceY = 0.0;
        double centreX = 0.0;
        double above = 0.0; // m drawn above the ground surface
        QRectF plot;
    };
    Frame Layout() const;
    double FootingThickness() const;

    ground::Profile m_profile;
    double m_B = 1.0;
    double m_D = 1.0;
};

} // namespace zolt
