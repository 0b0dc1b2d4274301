#include "studies/sweepdialog.h"

#include "studies/studyformat.h"
#include "studies/studyinputs.h"
#include "toolkit/tmessagebox.h"
#include "toolkit/twinhelp.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace zolt::studies {

namespace {

constexpr unsigned long kHelpContext = 114;

// Digits and "." only, as in the input dialogs: the C locale whatever
// the user's.
QLineEdit* numberEdit(QValidator* validator) {
    auto* edit = new QLineEdit;
    validator->setLocale(QLocale::c());
    edit->setValidator(validator);
    return edit;
}

QWidget* withUnit(QLineEdit* edit, QLabel* unit) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit, 1);
    layout->addWidget(unit);
    return row;
}

} // namespace

SweepDialog::SweepDialog(const GeometryData& geometry, const SoilData& soil, QWidget* parent)
    : QDialog(parent), m_geometry(geometry), m_soil(soil) {
    setWindowTitle(QStringLiteral("Studio parametrico"));
    SetHelpContext(this, QStringLiteral("zolt.hlp"), kHelpContext);

    m_input = new QComboBox;
    for (const StudyInput& input : studyInputs())
        m_input->addItem(inputTitle(input));
    m_input->setObjectName(QStringLiteral("input"));

    auto* range = new QDoubleValidator(this);
    range->setNotation(QDoubleValidator::StandardNotation);
    range->setBottom(0.0); // no input takes a sign
    m_from = numberEdit(range);
    m_to = numberEdit(range);
    m_count = numberEdit(new QIntValidator(0, static_cast<int>(design::kMaxSweepPoints), this));
    m_from->setObjectName(QStringLiteral("from"));
    m_to->setObjectName(QStringLiteral("to"));
    m_count->setObjectName(QStringLiteral("count"));
    m_count->setText(QString::number(kProposedPoints));
    m_fromUnit = new QLabel;
    m_toUnit = new QLabel;
    m_current = new QLabel;
    m_current->setObjectName(QStringLiteral("current"));

    auto* form = new QFormLayout;
    // No mnemonic takes a letter of the main window's menus (F D A S N H).
    form->addRow(QStringLiteral("Da&to da variare"), m_input);
    form->addRow(QStringLiteral("&Valore iniziale"), withUnit(m_from, m_fromUnit));
    form->addRow(QStringLiteral("Valore fina&le"), withUnit(m_to, m_toUnit));
    form->addRow(QStringLiteral("Nu&mero di punti"), m_count);
    form->addRow(QString(), m_current);
    // The labels of the fields with a unit lead to the field, not its row.
    for (QLineEdit* edit : {m_from, m_to}) {
        if (auto* label = qobject_cast<QLabel*>(form->labelForField(edit->parentWidget())))
            label->setBuddy(edit);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::Help);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Calc&ola"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Ann&ulla"));
    buttons->button(QDialogButtonBox::Help)->setText(QStringLiteral("A&iuto"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SweepDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SweepDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [this] { WinHelp(this, QStringLiteral("zolt.hlp"), HELP_CONTEXT, kHelpContext); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_input, &QComboBox::currentIndexChanged, this, &SweepDialog::proposeRange);
    proposeRange();
}

void SweepDialog::proposeRange() {
    const StudyInput& input = studyInputs()[static_cast<std::size_t>(m_input->currentIndex())];
    const InputField& field = *input.field;
    const auto [from, to] = proposedRange(input, m_geometry, m_soil);
    m_from->setText(fixedText(from, field.decimals));
    m_to->setText(fixedText(to, field.decimals));
    const QString unit = QString::fromUtf8(input.unit);
    m_fromUnit->setText(unit);
    m_toUnit->setText(unit);
    m_current->setText(QStringLiteral("Valore attuale %1 %3; ammessi da %2 a %4 %3")
                           .arg(fixedText(inputValue(field, m_geometry, m_soil), field.decimals),
                                fixedText(field.minimum, field.decimals), unit,
                                fixedText(field.maximum, field.decimals)));
}

design::SweepSpec SweepDialog::study() const {
    design::SweepSpec study;
    study.field = studyInputs()[static_cast<std::size_t>(m_input->currentIndex())].field;
    // Text that is no number becomes NaN or 0 points, which the core's
    // check refuses with its own message.
    study.from = numberOf(m_from->text()).value_or(std::numeric_limits<double>::quiet_NaN());
    study.to = numberOf(m_to->text()).value_or(std::numeric_limits<double>::quiet_NaN());
    study.count = static_cast<std::size_t>(integerOf(m_count->text()).value_or(0));
    return study;
}

void SweepDialog::accept() {
    if (const auto problem = design::sweepSpecProblem(study())) {
        ShowMessageBox(sentence(*problem), QMessageBox::NoIcon, this);
        return;
    }
    QDialog::accept();
}

} // namespace zolt::studies
