#include "verification/sizing_dialog.h"

#include "controls/controlmessages.h"
#include "design/combinations_verification.h"
#include "design/settlement_sizing.h"
#include "design/sweep.h"
#include "model/number_text.h"
#include "model/project.h"
#include "toolkit/tapplication.h"
#include "toolkit/tdialogtemplate.h"
#include "toolkit/tstatusbar.h"
#include "toolkit/twinhelp.h"
#include "verification/approach_choice.h"
#include "verification/combinations_table.h"
#include "verification/table_copy.h"
#include "verification/verification_dialog.h"
#include "verification/verification_table.h"
#include "workflow/commands.h"
#include "workflow/input_changes.h"
#include "workflow/result_rows.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>
#include <utility>

namespace zolt {

namespace {

// Writing the size marks the geometry changed as the geometry dialog's
// fields do.
constexpr std::int16_t kInputChangeFlags = 3;

constexpr double kCentimetresPerMetre = 100.0;
// Below this a length counts as on the centimetre, not past it (L = R B
// carries rounding noise).
constexpr double kGridTolerance = 1e-6;

constexpr double kMinRatio = 1.0;
constexpr double kMaxRatio =
    design::kSizingLastCentimetres / double(design::kSizingFirstCentimetres);
constexpr double kMinLength = design::kSizingFirstCentimetres / kCentimetresPerMetre;
constexpr double kMaxLength = design::kSizingLastCentimetres / kCentimetresPerMetre;
constexpr int kValueDecimals = 2;
// A load of twelve digits: more than the largest footing on the strongest
// soil the fields admit gives, so that the reserved room always suffices.
constexpr double kLargestLoad = 999999999999.0;
// How long the status bar confirms "Applica".
constexpr int kStatusMilliseconds = 15000;
constexpr double kValueStep = 0.1;

// The rule and its values, kept from one opening to the next.
struct RuleChoice {
    design::SizingRuleKind kind = design::SizingRuleKind::Square;
    double ratio = 1.5;
    std::optional<double> length; // none: the project's length, at the first opening
};
RuleChoice ruleChoice;

const QString kNoResultText = QStringLiteral("Premere «Calcola» per cercare la larghezza minima");
const QString kNoneFoundText =
    QStringLiteral("Nessuna larghezza tra 0.10 e 99.90 m soddisfa la verifica");
const QString kNoneCombinationText =
    QStringLiteral("Nessuna larghezza tra 0.10 e 99.90 m soddisfa ogni combinazione SLU e SLV");
const QString kNoneSettlesText =
    QStringLiteral("Nessuna larghezza tra 0.10 e 99.90 m soddisfa verifica e cedimento");

QString utf8(std::string_view view) {
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

// The settlement condition's line: what it asks, or why it cannot be asked.
QString settlementOptionText() {
    const std::optional<SettlementSettings>& s = designData.settlement;
    if (!s || !s->limit)
        return QStringLiteral("Cedim&ento entro il limite (nessun cedimento ammissibile: "
                              "Strumenti → Cedimenti)");
    return QStringLiteral("Cedim&ento entro %1 cm (metodo %2)")
        .arg(QString::fromStdString(formatFixed(*s->limit, 2)),
             utf8(settlement::methodName(s->method)));
}

QDoubleSpinBox* newValueBox(double minimum, double maximum, double value, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setLocale(QLocale::c()); // "." whatever the user's locale
    box->setDecimals(kValueDecimals);
    box->setRange(minimum, maximum);
    box->setSingleStep(kValueStep);
    box->setValue(value);
    box->setAlignment(Qt::AlignRight);
    return box;
}

// The length to write for a width found on the grid: the rule's length
// rounded up to the centimetre, so that the footing written is never
// smaller than the one the rule gives.
double lengthOnGrid(double L) {
    return std::ceil(L * kCentimetresPerMetre - kGridTolerance) / kCentimetresPerMetre;
}

} // namespace

SizingDialog::SizingDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Dimensionamento"));
    // The look of the program's other dialogs.
    setFont(TDialogTemplate().Font());
    SetHelpContext(this, QStringLiteral("zolt.hlp"), kHelpContext);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* approachBox = new QGroupBox(QStringLiteral("Approccio di progetto"), this);
    auto* approachLayout = new QVBoxLayout(approachBox);
    m_approaches = new QButtonGroup(this);
    const auto all = design::approaches();
    for (std::size_t i = 0; i < all.size(); ++i) {
        auto* button = new QRadioButton(ApproachButtonText(i), approachBox);
        button->setObjectName(
            QString::fromUtf8(all[i].id.data(), static_cast<qsizetype>(all[i].id.size())));
        m_approaches->addButton(button, static_cast<int>(i));
        approachLayout->addWidget(button);
    }
    m_approaches->button(ApproachIndex(&ProjectApproach()))->setChecked(true);
    layout->addWidget(approachBox);

    auto* ruleBox = new QGroupBox(QStringLiteral("Lunghezza della fondazione"), this);
    auto* ruleLayout = new QGridLayout(ruleBox);
    m_rules = new QButtonGroup(this);
    // In the order of design::SizingRuleKind.
    const std::pair<const char*, QString> rules[] = {
        {"squareRule", QStringLiteral("Pianta &quadrata: L = B")},
        {"ratioRule", QStringLiteral("&Rapporto fisso L/B")},
        {"lengthRule", QStringLiteral("&Lunghezza fissa L (m)")}};
    for (int kind = 0; kind < 3; ++kind) {
        auto* button = new QRadioButton(rules[kind].second, ruleBox);
        button->setObjectName(QString::fromLatin1(rules[kind].first));
        m_rules->addButton(button, kind);
        ruleLayout->addWidget(button, kind, 0);
    }
    m_rules->button(static_cast<int>(ruleChoice.kind))->setChecked(true);
    m_ratio = newValueBox(kMinRatio, kMaxRatio, ruleChoice.ratio, ruleBox);
    m_ratio->setObjectName(QStringLiteral("ratio"));
    m_fixedLength =
        newValueBox(kMinLength, kMaxLength, ruleChoice.length.value_or(geometryData.L), ruleBox);
    m_fixedLength->setObjectName(QStringLiteral("length"));
    ruleLayout->addWidget(m_ratio, 1, 1);
    ruleLayout->addWidget(m_fixedLength, 2, 1);
    ruleLayout->setColumnStretch(0, 1);
    layout->addWidget(ruleBox);

    m_settlement = new QCheckBox(settlementOptionText(), this);
    m_settlement->setObjectName(QStringLiteral("settlement"));
    m_settlement->setEnabled(designData.settlement && designData.settlement->limit);
    layout->addWidget(m_settlement);

    auto* computeRow = new QHBoxLayout;
    const std::string_view title = methodTitle(analysisSettings.method);
    auto* method =
        new QLabel(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())) +
                       QStringLiteral(", scelto per l'analisi"),
                   this);
    method->setObjectName(QStringLiteral("method"));
    computeRow->addWidget(method, 1);
    auto* compute = new QPushButton(QStringLiteral("Calc&ola"), this);
    compute->setObjectName(QStringLiteral("compute"));
    compute->setDefault(true);
    computeRow->addWidget(compute);
    layout->addLayout(computeRow);

    auto* resultBox = new QGroupBox(QStringLiteral("Risultato"), this);
    m_resultLayout = new QVBoxLayout(resultBox);
    m_size = new QLabel(resultBox);
    m_size->setObjectName(QStringLiteral("size"));
    m_size->setTextFormat(Qt::PlainText);
    m_resultLayout->addWidget(m_size);
    m_settled = new QLabel(resultBox);
    m_settled->setObjectName(QStringLiteral("settled"));
    m_settled->setTextFormat(Qt::PlainText);
    m_resultLayout->addWidget(m_settled);
    m_resultLayout->addStretch(1);
    layout->addWidget(resultBox);
    ReserveResultRoom(resultBox);

    auto* buttons = new QHBoxLayout;
    m_apply = new QPushButton(QStringLiteral("A&pplica"), this);
    m_apply->setObjectName(QStringLiteral("apply"));
    m_apply->setAutoDefault(false);
    m_apply->setEnabled(false);
    auto* close = new QPushButton(QStringLiteral("&Chiudi"), this);
    close->setObjectName(QStringLiteral("close"));
    close->setAutoDefault(false);
    auto* help = new QPushButton(QStringLiteral("A&iuto"), this);
    help->setObjectName(QStringLiteral("help"));
    help->setAutoDefault(false);
    buttons->addWidget(m_apply);
    buttons->addStretch(1);
    buttons->addWidget(close);
    buttons->addWidget(help);
    layout->addLayout(buttons);

    EnableRuleValues();
    ClearResult();
    connect(m_approaches, &QButtonGroup::idClicked, this, [this](int index) {
        SetChosenApproach(&design::approaches()[static_cast<std::size_t>(index)]);
        ClearResult();
    });
    connect(m_rules, &QButtonGroup::idClicked, this, [this] {
        EnableRuleValues();
        ClearResult();
    });
    // A rule that takes a value leads on to its field, so that the rule's
    // mnemonic reaches the value too.
    connect(m_rules, &QButtonGroup::idClicked, this, [this](int kind) {
        if (kind == static_cast<int>(design::SizingRuleKind::Ratio))
            m_ratio->setFocus(Qt::ShortcutFocusReason);
        else if (kind == static_cast<int>(design::SizingRuleKind::Length))
            m_fixedLength->setFocus(Qt::ShortcutFocusReason);
    });
    connect(m_settlement, &QCheckBox::toggled, this, &SizingDialog::ClearResult);
    connect(m_ratio, &QDoubleSpinBox::valueChanged, this, &SizingDialog::ClearResult);
    connect(m_fixedLength, &QDoubleSpinBox::valueChanged, this, &SizingDialog::ClearResult);
    connect(compute, &QPushButton::clicked, this, &SizingDialog::Compute);
    connect(m_apply, &QPushButton::clicked, this, &SizingDialog::Apply);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { WinHelp(this, QStringLiteral("zolt.hlp"), HELP_CONTEXT, kHelpContext); });
}

SizingDialog::~SizingDialog() {
    ruleChoice.kind = Rule().kind;
    ruleChoice.ratio = m_ratio->value();
    ruleChoice.length = m_fixedLength->value();
}

design::SizingRule SizingDialog::Rule() const {
    const auto kind = static_cast<design::SizingRuleKind>(m_rules->checkedId());
    switch (kind) {
    case design::SizingRuleKind::Ratio:
        return {kind, m_ratio->value()};
    case design::SizingRuleKind::Length:
        return {kind, m_fixedLength->value()};
    case design::SizingRuleKind::Square:
        break;
    }
    return {design::SizingRuleKind::Square, 1.0};
}

void SizingDialog::EnableRuleValues() {
    const auto kind = static_cast<design::SizingRuleKind>(m_rules->checkedId());
    m_ratio->setEnabled(kind == design::SizingRuleKind::Ratio);
    m_fixedLength->setEnabled(kind == design::SizingRuleKind::Length);
}

void SizingDialog::ShowResult(const QString& text) {
    QFont font = m_size->font();
    font.setBold(!text.isEmpty());
    m_size->setFont(font);
    m_size->setText(text.isEmpty() ? kNoResultText : text);
    // Take the size of the new contents now, not one layout pass per level
    // of nesting later.
    m_resultLayout->activate();
    layout()->activate();
}

void SizingDialog::ReserveResultRoom(QWidget* box) {
    // The largest result: the longest line, and a table of long loads with
    // both eccentricity notes, in every condition the ground may give.
    ShowResult(kNoneSettlesText);
    GeometryData geometry;
    geometry.B = geometry.L = kMaxLength;
    const GroundData& ground = designData.ground;
    design::Verification v;
    v.approach = &design::approaches()[0];
    v.method = analysisSettings.method;
    v.bearing = {kLargestLoad, 0, kLargestLoad, kLargestLoad, 1.0, true};
    v.sliding = {kLargestLoad, kLargestLoad, 1.0, true};
    v.eccentricity = {1.0, 1.0, false, false};
    design::GroundVerification sample;
    sample.approach = v.approach;
    sample.method = v.method;
    sample.drained.verification = v;
    sample.drained.ground.uplift = hasGroundModel(ground) ? kLargestLoad : 0.0;
    if (design::mayBeUndrained(ground)) {
        // Every note a condition can carry.
        sample.drained.notes = {ground::kWeakerLayerNote, std::string(design::kLiftedNote)};
        sample.undrained = sample.drained;
        sample.undrained->ground.condition = ground::Condition::Undrained;
        sample.undrained->notes.push_back(std::string(design::kDrainedSlidingNote));
    } else if (hasGroundModel(ground)) {
        sample.drained.notes = {ground::kWeakerLayerNote, std::string(design::kLiftedNote)};
    }
    QTableWidget* table =
        NewVerificationTable(sample, geometry, ground, VerificationTableParts::ChecksOnly, box);
    m_resultLayout->insertWidget(1, table);
    table->show(); // a hidden widget takes no room
    m_resultLayout->activate();
    box->setMinimumSize(box->sizeHint());
    delete table;
}

void SizingDialog::ClearResult() {
    m_width.reset();
    m_length.reset();
    m_apply->setEnabled(false);
    delete m_table;
    m_table = nullptr;
    // One line always, so that the box keeps its size with or without it.
    m_settled->setText(QStringLiteral(" "));
    ShowResult(QString());
}

void SizingDialog::Compute() {
    m_ratio->interpretText();
    m_fixedLength->interpretText();
    ClearResult();
    const design::Approach& approach =
        design::approaches()[static_cast<std::size_t>(m_approaches->checkedId())];
    const int method = analysisSettings.method;
    const GroundData& ground = designData.ground;
    if (m_settlement->isChecked()) {
        ComputeWithSettlement(approach, method);
        return;
    }
    if (design::hasCombinations(designData)) {
        ComputeForCombinations(approach, method);
        return;
    }
    const design::GroundSizing sizing =
        design::sizeOnGround(approach, method, geometryData, soilData, ground, Rule());
    if (sizing.verification.refused()) {
        ShowInputCheckMessages(sizing.verification.drained.verification.refusal);
        return;
    }
    if (!sizing.B) {
        ShowResult(kNoneFoundText);
        return;
    }
    // The size as the geometry fields hold it (the widths tried are on the
    // grid already), and its verification.
    GeometryData sized = geometryData;
    sized.B = *sizing.B;
    sized.L = lengthOnGrid(*sizing.L);
    const design::GroundVerification verification =
        sized.L == *sizing.L ? sizing.verification
                             : design::verifyOnGround(approach, method, sized, soilData, ground);
    m_table = NewVerificationTable(verification, sized, ground, VerificationTableParts::ChecksOnly,
                                   m_resultLayout->parentWidget());
    EnableTableCopy(m_table, VerificationTableHeader(verification));
    m_resultLayout->insertWidget(1, m_table);
    m_table->show();
    ShowResult(QStringLiteral("B × L = ") + SizeText(sized.B, sized.L));
    if (verification.verified && sized.B <= sized.L) {
        m_width = sized.B;
        m_length = sized.L;
        m_apply->setEnabled(true);
    }
}

void SizingDialog::ComputeForCombinations(const design::Approach& approach, int method) {
    const design::CombinationsSizing s =
        design::sizeCombinations(approach, method, geometryData, soilData, designData.ground,
                                 *designData.actions, designData.seismic, Rule());
    if (s.verification.refused()) {
        ShowInputCheckMessages(s.verification.refusal);
        return;
    }
    if (!s.B || !s.L) {
        ShowResult(kNoneCombinationText);
        return;
    }
    GeometryData sized = geometryData;
    sized.B = *s.B;
    sized.L = lengthOnGrid(*s.L);
    const design::CombinationCheck* governing = s.verification.governingCheck();
    if (governing != nullptr && governing->verification) {
        m_table = NewVerificationTable(
            *governing->verification, actions::withCombination(sized, governing->combination),
            designData.ground, VerificationTableParts::ChecksOnly, m_resultLayout->parentWidget(),
            CombinationActionsNote(*governing));
        EnableTableCopy(m_table, VerificationTableHeader(*governing->verification));
        m_resultLayout->insertWidget(1, m_table);
        m_table->show();
    }
    QString result = QStringLiteral("B × L = ") + SizeText(sized.B, sized.L);
    if (governing != nullptr)
        result += QStringLiteral(" (ogni combinazione SLU e SLV; determinante %1)")
                      .arg(utf8(governing->combination.name));
    ShowResult(result);
    if (s.verification.verified && sized.B <= sized.L) {
        m_width = sized.B;
        m_length = sized.L;
        m_apply->setEnabled(true);
    }
}

void SizingDialog::ComputeWithSettlement(const design::Approach& approach, int method) {
    const SettlementSettings& settings = *designData.settlement;
    std::optional<double> B;
    std::optional<double> L;
    std::optional<settlement::ProjectSettlement> settled;
    std::optional<settlement::SettlementFailure> failure;
    // The verification at the width found: the ground's conditions, or the
    // governing combination's where the actions load the footing.
    std::optional<design::GroundVerification> verification;
    std::optional<actions::Combination> combination; // the governing one, with actions
    QString actionsNote;
    bool verified = false;
    if (design::hasCombinations(designData)) {
        design::CombinationsSettlementSizing s = design::sizeCombinationsWithSettlement(
            approach, method, geometryData, soilData, designData, Rule(), settings);
        if (s.sizing.verification.refused()) {
            ShowInputCheckMessages(s.sizing.verification.refusal);
            return;
        }
        B = s.sizing.B;
        L = s.sizing.L;
        settled = std::move(s.settlement);
        failure = std::move(s.failure);
        if (const design::CombinationCheck* governing = s.sizing.verification.governingCheck()) {
            verification = governing->verification;
            combination = governing->combination;
            actionsNote = CombinationActionsNote(*governing);
        }
        verified = s.sizing.verification.verified;
    } else {
        design::SettlementSizing s = design::sizeWithSettlement(
            approach, method, geometryData, soilData, designData, Rule(), settings);
        if (s.sizing.verification.refused()) {
            ShowInputCheckMessages(s.sizing.verification.drained.verification.refusal);
            return;
        }
        B = s.sizing.B;
        L = s.sizing.L;
        settled = std::move(s.settlement);
        failure = std::move(s.failure);
        verification = s.sizing.verification;
        verified = s.sizing.verification.verified;
    }
    if (failure) {
        ShowResult(QStringLiteral("Cedimento non calcolabile"));
        m_settled->setText(WrappedText(QString::fromStdString(failure->message), 80));
        return;
    }
    if (!B || !L || !settled) {
        ShowResult(kNoneSettlesText);
        return;
    }
    GeometryData sized = geometryData;
    sized.B = *B;
    sized.L = lengthOnGrid(*L);
    if (verification) {
        m_table = NewVerificationTable(
            *verification, combination ? actions::withCombination(sized, *combination) : sized,
            designData.ground, VerificationTableParts::ChecksOnly, m_resultLayout->parentWidget(),
            actionsNote);
        EnableTableCopy(m_table, VerificationTableHeader(*verification));
        m_resultLayout->insertWidget(2, m_table);
        m_table->show();
    }
    ShowResult(QStringLiteral("B × L = ") + SizeText(sized.B, sized.L));
    m_settled->setText(QStringLiteral("Cedimento s = %1 cm ≤ %2 cm (%3)")
                           .arg(QString::fromStdString(formatFixed(settled->result().totalCm, 2)),
                                QString::fromStdString(formatFixed(*settings.limit, 2)),
                                settled->combined ? utf8(settled->governingLoad().name)
                                                  : utf8(settlement::kProjectLoadName)));
    if (verified && sized.B <= sized.L) {
        m_width = sized.B;
        m_length = sized.L;
        m_apply->setEnabled(true);
    }
}

void SizingDialog::Apply() {
    if (!m_width || !m_length)
        return;
    geometryData.B = *m_width;
    geometryData.L = *m_length;
    MarkControlChange(kInputChangeFlags);
    m_apply->setEnabled(false);
    // The windows computed on the old size say so at once, and the main
    // window's status bar confirms what was written.
    AnnounceInputChanges();
    QWidget* main = TApplication::MainWindow();
    if (auto* status = main != nullptr ? main->findChild<TStatusBar*>() : nullptr)
        status->ShowMessage(QStringLiteral("Dimensionamento applicato: B × L = ") +
                                SizeText(*m_width, *m_length) +
                                QStringLiteral(" scritti nei dati della geometria"),
                            kStatusMilliseconds);
}

} // namespace zolt
