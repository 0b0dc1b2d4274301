// The window of the probabilistic analysis: the coefficients of variation
// of the soil values, the number of samples and the seed; "Avvia" runs the
// analysis on worker threads (every core) with a progress bar and
// "Annulla", and the window shows the histogram of the ultimate load with
// the 5 % fractile and N marked, Pf, beta and the other figures.
//
// The analysis runs on the project's ground: where the ground model has an
// undrained condition it runs in both, and two buttons over the chart
// choose the condition whose histogram and figures are shown; a line under
// the figures gives each condition's Pf and the governing one (the higher
// Pf), and the values each condition's samples vary around.
//
// Each run takes copies of the project's records and its method when it
// starts; a cancelled run leaves the previous results on show. A bar tells
// when the records, the ground or the method changed since the results
// shown were computed; "Aggiorna" runs again. The histogram exports as PNG, SVG and
// CSV, Ctrl+C on the results copies them. Closing the window during a run
// cancels it and waits for it.
#pragma once

#include "design/monte_carlo.h"
#include "model/design_data.h"
#include "model/records.h"
#include "studies/chartexport.h"
#include "studies/histogram.h"
#include "studies/workerrun.h"

#include <QElapsedTimer>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class QButtonGroup;
class QChartView;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace zolt {
class StaleResultBar;
}

namespace zolt::studies {

class MonteCarloView : public QWidget {
    Q_OBJECT

public:
    explicit MonteCarloView(QWidget* parent = nullptr);
    ~MonteCarloView() override;

    static constexpr std::size_t kProposedSamples = 100000;
    static constexpr std::size_t kClasses = 60;

    bool isRunning() const { return m_run.isRunning(); }

protected:
    bool event(QEvent* event) override;

private:
    struct Job {
        design::MonteCarloSpec study;
        GeometryData geometry;
        SoilData soil;
        GroundData ground;
        design::MonteCarloControl control;
        std::optional<design::GroundMonteCarlo> result;
        Histogram histogram;          // of the drained condition
        Histogram undrainedHistogram; // of the undrained one, when there is one
    };

    void start();
    void showProgress();
    // The run that ended: its results, or, cancelled or refused, those of
    // the run shown before.
    void showResults();
    void showJob(const Job& job);
    // The condition of the shown run that the histogram and the figures
    // show: 0 drained, 1 undrained.
    int shownCondition() const;
    // The figures, a line each, label and value tab-separated.
    QString resultsText() const;
    // The histogram's classes: lower and upper end, count; a last line for
    // the samples past the chart.
    std::string histogramCsv(CsvForm form) const;
    void setRunning(bool running);
    void clearResults();
    void setResult(const char* name, const QString& text);
    void growToMinimum();

    std::unique_ptr<Job> m_job;   // the run under way
    std::unique_ptr<Job> m_shown; // the run whose results the window shows
    WorkerRun m_run;
    QElapsedTimer m_clock;

    std::array<QLineEdit*, design::kSoilVariableCount> m_cov{};
    QLineEdit* m_samples = nullptr;
    QLineEdit* m_seed = nullptr;
    QLabel* m_method = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_cancel = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_status = nullptr;
    QWidget* m_conditionRow = nullptr; // the buttons that choose the condition shown
    QButtonGroup* m_conditions = nullptr;
    QLabel* m_groundLine = nullptr; // each condition's Pf and values
    QChartView* m_view = nullptr;
    QList<QPushButton*> m_exports;
    zolt::StaleResultBar* m_bar = nullptr;
};

} // namespace zolt::studies
