// The window of the probabilistic analysis: the coefficients of variation
// of the soil values, the number of samples and the seed; "Avvia" runs the
// analysis on worker threads (every core) with a progress bar and
// "Annulla", and the window shows the histogram of the ultimate load with
// the 5 % fractile and N marked, Pf, beta and the other figures.
//
// Each run takes copies of the project's records and its method when it
// starts; a cancelled run leaves the previous results on show. A bar tells
// when the records or the method changed since the results shown were
// computed; "Aggiorna" runs again. The histogram exports as PNG, SVG and
// CSV, Ctrl+C on the results copies them. Closing the window during a run
// cancels it and waits for it.
#pragma once

#include "design/monte_carlo.h"
#include "model/records.h"
#include "studies/chartexport.h"
#include "studies/histogram.h"
#include "studies/workerrun.h"

#include <QElapsedTimer>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

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
        design::MonteCarloControl control;
        std::optional<design::MonteCarloResult> result;
        Histogram histogram;
    };

    void start();
    void showProgress();
    // The run that ended: its results, or, cancelled or refused, those of
    // the run shown before.
    void showResults();
    void showJob(const Job& job);
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
    QChartView* m_view = nullptr;
    QList<QPushButton*> m_exports;
    zolt::StaleResultBar* m_bar = nullptr;
};

} // namespace zolt::studies
