// The window of a parametric study on the project's ground: qult of the
// four methods against the varied input, with the input's current value
// and the applied pressure as reference lines, the values under the
// pointer, and the export of the chart (PNG, SVG) and of every point
// (CSV). Where the ground may have an undrained condition its four curves
// stand beside the drained ones, dashed in the same colours. A bar tells
// when the project's data or its ground changed since; "Aggiorna" runs
// the study again on them.
//
// The points are computed on a worker thread while the window shows a
// progress bar and "Annulla"; closing the window cancels the work and
// waits for it.
#pragma once

#include "design/approach.h"
#include "design/sweep.h"
#include "model/design_data.h"
#include "model/records.h"
#include "studies/sweeptable.h"
#include "studies/workerrun.h"

#include <QWidget>

#include <atomic>
#include <memory>

class QChartView;
class QLabel;
class QLineSeries;
class QProgressBar;
class QPushButton;

namespace zolt {
class StaleResultBar;
}

namespace zolt::studies {

// The soil values a sweep of a soil input starts from: the soil record,
// or with layers the drained condition's equivalent values at `geometry`.
SoilData sweptSoil(const GeometryData& geometry, const SoilData& soil, const GroundData& ground);

class SweepView : public QWidget {
    Q_OBJECT

public:
    // Starts the study of `study` (checked by design::sweepSpecProblem) on
    // copies of the records; `approach` adds the utilisations to the CSV.
    SweepView(const design::SweepSpec& study, const GeometryData& geometry, const SoilData& soil,
              const GroundData& ground, const design::Approach* approach,
              QWidget* parent = nullptr);
    ~SweepView() override;

    // The chart shows every point up to this many, evenly chosen ones above.
    static constexpr std::size_t kMaxPlottedPoints = 2001;

    bool isRunning() const { return m_run.isRunning(); }

    // Room for the notes that appear under the summary once the points
    // are in: the document window keeps the size it opened with.
    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Job {
        std::atomic<bool> cancel{false};
        std::atomic<std::size_t> done{0};
        SweepTable table;
    };

    // Runs the study on m_geometry and m_soil into m_job.
    void start();
    // The study again on the current records (the bar's "Aggiorna").
    void refresh();
    void showProgress();
    void showResults();
    void buildChart();
    void showPointer(QPointF position);
    double appliedPressure(double x) const;

    design::SweepSpec m_spec;
    GeometryData m_geometry;
    SoilData m_soil;
    GroundData m_ground;
    const design::Approach* m_approach;
    std::unique_ptr<Job> m_job;
    WorkerRun m_run;

    zolt::StaleResultBar* m_bar = nullptr;
    QLabel* m_summary = nullptr;
    QLabel* m_notes = nullptr;
    QWidget* m_progressRow = nullptr;
    QProgressBar* m_progress = nullptr;
    QChartView* m_view = nullptr;
    QLabel* m_pointer = nullptr;
    QList<QPushButton*> m_exports;
    QLineSeries* m_anchor = nullptr; // a series on the value axes, for mapToValue
};

} // namespace zolt::studies
