#include "loads/seismic_dialog.h"

#include "actions/action_fields.h"
#include "actions/seismic.h"
#include "model/number_text.h"
#include "model/project.h"
#include "profile/number_input.h"
#include "toolkit/tdialogtemplate.h"
#include "toolkit/tmessagebox.h"
#include "toolkit/twinhelp.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace zolt {

namespace {

constexpr int kFieldPadding = 30; // px beside a field's widest number
const QString kWidestNumber = QStringLiteral("9999.999");
constexpr char kSubsoils[] = {'A', 'B', 'C', 'D', 'E'};

QLineEdit* numberField(NumberInput* input, const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setValidator(input);
    edit->setMaxLength(NumberInput::MaxLength);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(kWidestNumber) + kFieldPadding);
    return edit;
}

QString fixed(double value, int decimals) {
    return QString::fromStdString(formatFixed(value, decimals));
}

} // namespace

SeismicDialog::SeismicDialog(QWidget* parent, const std::optional<SeismicData>& seismic)
    : QDialog(parent), m_site(seismic.value_or(SeismicData{})) {
    setWindowTitle(QStringLiteral("Sisma"));
    setFont(TDialogTemplate().Font());

    const auto inputOf = [this](const actions::NumberField& f) {
        return new NumberInput(f.minimum, f.maximum, f.decimals, this);
    };
    m_agOverGInput = inputOf(actions::kAgOverGField);
    m_SSInput = inputOf(actions::kSSField);
    m_STInput = inputOf(actions::kSTField);
    m_betaSInput = inputOf(actions::kBetaSField);
    m_khInput = inputOf(actions::kKhField);

    m_enabled =
        new QCheckBox(QStringLiteral("&Verifica sismica allo SLV (NTC 2018 §7.11.5.3.1)"), this);
    m_enabled->setObjectName(QStringLiteral("enabled"));
    m_enabled->setChecked(seismic.has_value());

    // The site.
    auto* siteBox = new QGroupBox(QStringLiteral("Sito (SLV)"), this);
    auto* site = new QGridLayout(siteBox);
    m_agOverG = numberField(m_agOverGInput, QStringLiteral("agOverG"), siteBox);
    m_SS = numberField(m_SSInput, QStringLiteral("SS"), siteBox);
    m_ST = numberField(m_STInput, QStringLiteral("ST"), siteBox);
    m_subsoil = new QComboBox(siteBox);
    m_subsoil->setObjectName(QStringLiteral("subsoil"));
    for (const char category : kSubsoils)
        m_subsoil->addItem(QString(QChar::fromLatin1(category)));
    const struct {
        const char* label;
        QWidget* field;
    } siteFields[] = {
        {"a&g/g, accelerazione orizzontale massima su roccia", m_agOverG},
        {"SS, a&mplificazione stratigrafica (Tab. 3.2.IV)", m_SS},
        {"ST, amplificazione to&pografica (Tab. 3.2.V)", m_ST},
        {"&Categoria di sottosuolo (Tab. 3.2.II)", m_subsoil},
    };
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::fromUtf8(siteFields[i].label), siteBox);
        label->setBuddy(siteFields[i].field);
        site->addWidget(label, i, 0);
        site->addWidget(siteFields[i].field, i, 1, Qt::AlignLeft);
    }
    site->setColumnStretch(2, 1);

    // The coefficients.
    auto* coefficientBox = new QGroupBox(QStringLiteral("Coefficiente sismico orizzontale"), this);
    auto* coefficients = new QGridLayout(coefficientBox);
    m_betaSGiven = new QCheckBox(QStringLiteral("βs &indicato"), coefficientBox);
    m_betaSGiven->setObjectName(QStringLiteral("betaSGiven"));
    m_betaS = numberField(m_betaSInput, QStringLiteral("betaS"), coefficientBox);
    m_tableBetaS = new QLabel(coefficientBox);
    m_tableBetaS->setObjectName(QStringLiteral("tableBetaS"));
    m_khGiven = new QCheckBox(QStringLiteral("kh indica&to"), coefficientBox);
    m_khGiven->setObjectName(QStringLiteral("khGiven"));
    m_kh = numberField(m_khInput, QStringLiteral("kh"), coefficientBox);
    m_computedKh = new QLabel(coefficientBox);
    m_computedKh->setObjectName(QStringLiteral("computedKh"));
    m_computedKh->setWordWrap(true);
    coefficients->addWidget(m_betaSGiven, 0, 0);
    coefficients->addWidget(m_betaS, 0, 1);
    coefficients->addWidget(m_tableBetaS, 0, 2);
    coefficients->addWidget(m_khGiven, 1, 0);
    coefficients->addWidget(m_kh, 1, 1);
    coefficients->addWidget(m_computedKh, 1, 2);
    coefficients->setColumnStretch(2, 1);

    // The check.
    auto* checkBox = new QGroupBox(QStringLiteral("Verifica"), this);
    auto* check = new QVBoxLayout(checkBox);
    m_kinematic = new QCheckBox(
        QStringLiteral("Effetto cin&ematico: zq, zγ, zc di Paolucci e Pecker (1997)"), checkBox);
    m_kinematic->setObjectName(QStringLiteral("kinematic"));
    m_gammaR23 =
        new QRadioButton(QStringLiteral("γR = &2.3 sul carico limite (Tab. 7.11.II)"), checkBox);
    m_gammaR23->setObjectName(QStringLiteral("gammaR23"));
    m_gammaR18 = new QRadioButton(
        QStringLiteral("γR = &1.8 con l'effetto cinematico (§7.11.5.3.1)"), checkBox);
    m_gammaR18->setObjectName(QStringLiteral("gammaR18"));
    auto* gammaR = new QButtonGroup(this);
    gammaR->addButton(m_gammaR23);
    gammaR->addButton(m_gammaR18);
    m_gammaRNote = new QLabel(checkBox);
    m_gammaRNote->setObjectName(QStringLiteral("gammaRNote"));
    m_gammaRNote->setWordWrap(true);
    check->addWidget(m_kinematic);
    check->addWidget(m_gammaR23);
    check->addWidget(m_gammaR18);
    check->addWidget(m_gammaRNote);

    auto* ok = new QPushButton(QStringLiteral("O&K"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Annu&lla"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);
    auto* help = new QPushButton(QStringLiteral("Aiut&o"), this);
    help->setObjectName(QStringLiteral("help"));
    help->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_enabled);
    layout->addWidget(siteBox);
    layout->addWidget(coefficientBox);
    layout->addWidget(checkBox);
    layout->addStretch(1);
    layout->addLayout(buttons);

    // The values.
    m_agOverG->setText(m_agOverGInput->Text(m_site.agOverG));
    m_SS->setText(m_SSInput->Text(m_site.SS));
    m_ST->setText(m_STInput->Text(m_site.ST));
    m_subsoil->setCurrentIndex(
        std::max(0, m_subsoil->findText(QString(QChar::fromLatin1(m_site.subsoil)))));
    m_betaSGiven->setChecked(m_site.betaS.has_value());
    if (m_site.betaS)
        m_betaS->setText(m_betaSInput->Text(*m_site.betaS));
    m_khGiven->setChecked(m_site.kh.has_value());
    if (m_site.kh)
        m_kh->setText(m_khInput->Text(*m_site.kh));
    m_kinematic->setChecked(m_site.kinematic);
    (m_site.gammaRv == actions::kSlvGammaRBearingKinematic ? m_gammaR18 : m_gammaR23)
        ->setChecked(true);

    connect(ok, &QPushButton::clicked, this, &SeismicDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &SeismicDialog::reject);
    connect(help, &QPushButton::clicked, this, &SeismicDialog::ShowHelp);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            &SeismicDialog::ShowHelp);
    const auto follow = [this](QLineEdit* field, NumberInput* input, double SeismicData::*value) {
        connect(field, &QLineEdit::textChanged, this, [this, input, value](const QString& text) {
            if (const std::optional<double> v = input->Value(text.trimmed()))
                m_site.*value = *v;
            UpdateCoefficients();
        });
    };
    follow(m_agOverG, m_agOverGInput, &SeismicData::agOverG);
    follow(m_SS, m_SSInput, &SeismicData::SS);
    follow(m_ST, m_STInput, &SeismicData::ST);
    const auto followOptional = [this](QLineEdit* field, NumberInput* input,
                                       std::optional<double> SeismicData::*value) {
        connect(field, &QLineEdit::textChanged, this, [this, input, value](const QString& text) {
            if (const std::optional<double> v = input->Value(text.trimmed()))
                m_site.*value = *v;
            UpdateCoefficients();
        });
    };
    followOptional(m_betaS, m_betaSInput, &SeismicData::betaS);
    followOptional(m_kh, m_khInput, &SeismicData::kh);
    connect(m_subsoil, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_site.subsoil = kSubsoils[std::max(0, index)];
        UpdateCoefficients();
    });
    for (QCheckBox* box : {m_enabled, m_betaSGiven, m_khGiven, m_kinematic})
        connect(box, &QCheckBox::toggled, this, [this] {
            UpdateControls();
            UpdateCoefficients();
        });
    connect(m_gammaR18, &QRadioButton::toggled, this, &SeismicDialog::UpdateCoefficients);
    // A value to give starts from the one worked out.
    connect(m_betaSGiven, &QCheckBox::toggled, this, [this](bool given) {
        const std::optional<double> table = actions::tableBetaS(m_site.subsoil, m_site.agOverG);
        if (given && m_betaS->text().trimmed().isEmpty() && table)
            m_betaS->setText(m_betaSInput->Text(*table));
    });
    connect(m_khGiven, &QCheckBox::toggled, this, [this](bool given) {
        SeismicData site = m_site;
        site.kh.reset();
        if (!m_betaSGiven->isChecked())
            site.betaS.reset();
        const actions::SeismicCoefficients c = actions::seismicCoefficients(site);
        if (given && m_kh->text().trimmed().isEmpty() && c.error.empty())
            m_kh->setText(m_khInput->Text(c.kh));
    });

    UpdateControls();
    UpdateCoefficients();
}

SeismicDialog::~SeismicDialog() = default;

std::optional<SeismicData> SeismicDialog::Seismic() const {
    if (!m_enabled->isChecked())
        return std::nullopt;
    SeismicData site = m_site;
    if (!m_betaSGiven->isChecked() || m_betaS->text().trimmed().isEmpty())
        site.betaS.reset();
    if (!m_khGiven->isChecked() || m_kh->text().trimmed().isEmpty())
        site.kh.reset();
    site.kinematic = m_kinematic->isChecked();
    site.gammaRv =
        m_gammaR18->isChecked() ? actions::kSlvGammaRBearingKinematic : actions::kSlvGammaRBearing;
    return site;
}

void SeismicDialog::accept() {
    if (m_enabled->isChecked()) {
        const struct {
            QLineEdit* field;
            NumberInput* input;
        } fields[] = {{m_agOverG, m_agOverGInput},
                      {m_SS, m_SSInput},
                      {m_ST, m_STInput},
                      {m_betaS, m_betaSInput},
                      {m_kh, m_khInput}};
        for (const auto& f : fields) {
            if (!f.field->isEnabled() || f.input->Value(f.field->text().trimmed()))
                continue;
            ShowMessageBox(f.input->ErrorText(), QMessageBox::Warning, this);
            f.field->setFocus();
            f.field->selectAll();
            return;
        }
    }
    QDialog::accept();
}

void SeismicDialog::UpdateControls() {
    const bool on = m_enabled->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{
             m_agOverG, m_SS, m_ST, m_subsoil, m_betaSGiven, m_khGiven, m_kinematic, m_gammaR23,
             m_tableBetaS, m_computedKh, m_gammaRNote})
        w->setEnabled(on);
    m_betaS->setEnabled(on && m_betaSGiven->isChecked());
    m_kh->setEnabled(on && m_khGiven->isChecked());
    m_gammaR18->setEnabled(on && m_kinematic->isChecked());
}

void SeismicDialog::UpdateCoefficients() {
    const std::optional<double> table = actions::tableBetaS(m_site.subsoil, m_site.agOverG);
    m_tableBetaS->setText(table ? QStringLiteral("Tab. 7.11.I: βs = %1").arg(fixed(*table, 2))
                                : QStringLiteral("la Tab. 7.11.I non dà βs per questo ag/g"));
    SeismicData site = m_site;
    site.kinematic = m_kinematic->isChecked();
    site.gammaRv =
        m_gammaR18->isChecked() ? actions::kSlvGammaRBearingKinematic : actions::kSlvGammaRBearing;
    if (!m_betaSGiven->isChecked())
        site.betaS.reset();
    if (!m_khGiven->isChecked())
        site.kh.reset();
    const actions::SeismicCoefficients c = actions::seismicCoefficients(site);
    if (!c.error.empty())
        m_computedKh->setText(QString::fromStdString(c.error));
    else if (c.khGiven)
        m_computedKh->setText(QStringLiteral("kh = %1 (indicato)").arg(fixed(c.kh, 4)));
    else
        m_computedKh->setText(QStringLiteral("kh = βs SS ST ag/g = %1").arg(fixed(c.kh, 4)));
    const std::string_view note = actions::slvBearingGammaRNote(site);
    m_gammaRNote->setText(QString::fromUtf8(note.data(), static_cast<qsizetype>(note.size())));
}

void SeismicDialog::ShowHelp() {
    WinHelp(this, QStringLiteral("zolt.hlp"), HELP_CONTEXT, kHelpContext);
}

bool SeismicCommand(QWidget* owner) {
    SeismicDialog dialog(owner, designData.seismic);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    designData.seismic = dialog.Seismic();
    return true;
}

} // namespace zolt
