#include "serviceability/settlement_dialog.h"

#include "actions/vocabulary.h"
#include "ground/ground_fields.h"
#include "profile/number_input.h"
#include "settlement/settlement.h"
#include "toolkit/tdialogtemplate.h"
#include "toolkit/tmessagebox.h"
#include "toolkit/twinhelp.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace zolt {

namespace {

constexpr int kLimitDecimals = 2; // cm: a tenth of a millimetre
constexpr int kYearsDecimals = 1;

constexpr std::array kMethods = {SettlementMethod::Elastic, SettlementMethod::Oedometric,
                                 SettlementMethod::Schmertmann, SettlementMethod::BurlandBurbidge};
constexpr std::array kCombinations = {CombinationType::SLERare, CombinationType::SLEFrequent,
                                      CombinationType::SLEQuasiPermanent};

// What each method asks of the layers it reaches, in the order of kMethods.
const char* const kNeeds[] = {
    "Serve in ogni strato raggiunto: E e ν. Il calcolo scende fino alla profondità di "
    "influenza z_I, dove Δσz = 0.2·σ′v0.",
    "Serve in ogni strato raggiunto: Cc, Cr ed e0 (con σ′p se sovraconsolidato) oppure Eoed. "
    "Il calcolo scende fino alla profondità di influenza z_I.",
    "Serve in ogni strato fino a 2B (plinto quadrato) o 4B (nastro) sotto il piano di posa: "
    "E come modulo di Schmertmann. Il tempo dà il coefficiente C2, da 0.1 anni.",
    "Serve in ogni strato entro z_I = B^0.763: Nspt; σ′p dello strato di posa se "
    "sovraconsolidato. Il tempo dà il coefficiente ft, da 3 anni.",
};

QString text(std::string_view view) {
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

QLineEdit* numberField(NumberInput* input, const QString& name, const std::optional<double>& value) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setValidator(input);
    edit->setMaxLength(NumberInput::MaxLength);
    edit->setAlignment(Qt::AlignRight);
    if (value)
        edit->setText(input->Text(*value));
    return edit;
}

// A field with its unit or remark on its right.
QWidget* withRemark(QLineEdit* edit, const QString& remark) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit);
    layout->addWidget(new QLabel(remark), 1);
    return row;
}

} // namespace

SettlementDialog::SettlementDialog(QWidget* parent, const SettlementSettings& settings,
                                   bool combined)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Cedimenti"));
    // The look of the program's other dialogs.
    setFont(TDialogTemplate().Font());
    SetHelpContext(this, QStringLiteral("zolt.hlp"), kHelpContext);

    m_method = new QComboBox;
    m_method->setObjectName(QStringLiteral("method"));
    for (const SettlementMethod method : kMethods) {
        m_method->addItem(text(settlement::methodName(method)));
        if (method == settings.method)
            m_method->setCurrentIndex(m_method->count() - 1);
    }
    m_needs = new QLabel;
    m_needs->setObjectName(QStringLiteral("needs"));
    m_needs->setWordWrap(true);

    m_combination = new QComboBox;
    m_combination->setObjectName(QStringLiteral("combination"));
    for (const CombinationType type : kCombinations) {
        m_combination->addItem(text(actions::typeLabel(type)));
        if (type == settings.combination)
            m_combination->setCurrentIndex(m_combination->count() - 1);
    }
    auto* loads = new QLabel(
        combined ? QStringLiteral("Ogni combinazione di questo tipo carica la fondazione: governa "
                                  "il cedimento maggiore.")
                 : QStringLiteral("Il progetto non ha azioni: il carico è N dei dati della "
                                  "geometria."));
    loads->setObjectName(QStringLiteral("loads"));
    loads->setWordWrap(true);

    m_limitInput = new NumberInput(ground::kMinSettlementLimit, ground::kMaxSettlementLimit,
                                   kLimitDecimals, this);
    m_yearsInput = new NumberInput(ground::kMinSettlementYears, ground::kMaxSettlementYears,
                                   kYearsDecimals, this);
    m_limit = numberField(m_limitInput, QStringLiteral("limit"), settings.limit);
    m_years = numberField(m_yearsInput, QStringLiteral("years"), settings.years);

    auto* form = new QFormLayout;
    // No mnemonic takes a letter of the main window's menus (F D A S N H).
    form->addRow(QStringLiteral("&Metodo"), m_method);
    form->addRow(QString(), m_needs);
    form->addRow(QStringLiteral("&Combinazione"), m_combination);
    form->addRow(QString(), loads);
    form->addRow(QStringLiteral("Cedim&ento ammissibile (cm)"),
                 withRemark(m_limit, QStringLiteral("vuoto: nessuna verifica")));
    form->addRow(QStringLiteral("&Tempo (anni)"),
                 withRemark(m_years, QStringLiteral("vuoto: nessun effetto del tempo")));
    // The labels of the fields with a remark lead to the field, not its row.
    for (QLineEdit* edit : {m_limit, m_years}) {
        if (auto* label = qobject_cast<QLabel*>(form->labelForField(edit->parentWidget())))
            label->setBuddy(edit);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::Help);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("O&K"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Ann&ulla"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
    buttons->button(QDialogButtonBox::Help)->setText(QStringLiteral("A&iuto"));
    buttons->button(QDialogButtonBox::Help)->setObjectName(QStringLiteral("help"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SettlementDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SettlementDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [this] { WinHelp(this, QStringLiteral("zolt.hlp"), HELP_CONTEXT, kHelpContext); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    // Room for the longest remark beside the fields, every method's needs
    // on at most three lines.
    setMinimumWidth(fontMetrics().horizontalAdvance(QString::fromUtf8(kNeeds[2])) / 3 +
                    fontMetrics().horizontalAdvance(QStringLiteral("Cedimento ammissibile (cm)")));

    connect(m_method, &QComboBox::currentIndexChanged, this, &SettlementDialog::ShowNeeds);
    ShowNeeds();
}

SettlementDialog::~SettlementDialog() = default;

void SettlementDialog::ShowNeeds() {
    m_needs->setText(QString::fromUtf8(kNeeds[std::max(0, m_method->currentIndex())]));
}

SettlementSettings SettlementDialog::Settings() const {
    SettlementSettings s;
    s.method = kMethods[static_cast<std::size_t>(std::max(0, m_method->currentIndex()))];
    s.combination =
        kCombinations[static_cast<std::size_t>(std::max(0, m_combination->currentIndex()))];
    s.limit = m_limitInput->Value(m_limit->text().trimmed());
    s.years = m_yearsInput->Value(m_years->text().trimmed());
    return s;
}

void SettlementDialog::accept() {
    for (auto [field, input] : {std::pair{m_limit, m_limitInput}, std::pair{m_years, m_yearsInput}}) {
        const QString typed = field->text().trimmed();
        if (!typed.isEmpty() && !input->Value(typed)) {
            ShowMessageBox(input->ErrorText(), QMessageBox::Warning, this);
            field->setFocus();
            field->selectAll();
            return;
        }
    }
    QDialog::accept();
}

} // namespace zolt
