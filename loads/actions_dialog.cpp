#include "loads/actions_dialog.h"

#include "actions/action_fields.h"
#include "actions/combinations.h"
#include "actions/combinations_csv.h"
#include "actions/vocabulary.h"
#include "design/approach.h"
#include "design/combinations_verification.h"
#include "design/units.h"
#include "ground/ground_model.h"
#include "loads/action_delegate.h"
#include "loads/action_table_model.h"
#include "model/number_text.h"
#include "model/project.h"
#include "profile/message_label.h"
#include "profile/number_input.h"
#include "toolkit/tdialogtemplate.h"
#include "toolkit/tmessagebox.h"
#include "toolkit/twinhelp.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zolt {

namespace {

constexpr int kNameColumnWidth = 190; // px
constexpr int kDialogWidth = 1000;    // px: the combinations' names read whole
constexpr int kCellPadding = 10;      // px beside a cell's widest text
constexpr int kVisibleRows = 7;
constexpr int kVisibleBuiltRows = 7;
// A message box lists this many bad cells of a CSV file, then counts the rest.
constexpr int kShownCsvErrors = 12;
const QString kWidestForce = QStringLiteral("-99999999");
const QString kWidestNumber = QStringLiteral("9999.999");

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString fixed(double value, int decimals) {
    return QString::fromStdString(formatFixed(value, decimals));
}

QLineEdit* numberField(NumberInput* input, const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setValidator(input);
    edit->setMaxLength(NumberInput::MaxLength);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(kWidestNumber) + 3 * kCellPadding);
    return edit;
}

QPushButton* button(const QString& text, const QString& name, QWidget* parent) {
    auto* pushButton = new QPushButton(text, parent);
    pushButton->setObjectName(name);
    pushButton->setAutoDefault(false);
    return pushButton;
}

QTableView* newTable(ActionTableModel* model, ActionDelegate* delegate, const QString& name,
                     QWidget* parent) {
    auto* table = new QTableView(parent);
    table->setObjectName(name);
    table->setModel(model);
    table->setItemDelegate(delegate);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    // Tab goes on to the next control; the arrows move between the cells.
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QHeaderView* header = table->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignCenter);
    const QFontMetrics metrics = table->fontMetrics();
    const int forceWidth = metrics.horizontalAdvance(kWidestForce) + kCellPadding;
    for (int column = 0; column < model->columnCount(); ++column) {
        int width = std::max(forceWidth, header->sectionSizeHint(column));
        if (column == ActionTableModel::NameColumn)
            width = kNameColumnWidth;
        else if (column == ActionTableModel::KindColumn &&
                 model->Kind() == ActionTableModel::Rows::Combinations)
            width = metrics.horizontalAdvance(QStringLiteral("SLE quasi permanente")) +
                    2 * kCellPadding;
        else if (column == model->CategoryColumn())
            width = metrics.horizontalAdvance(QStringLiteral("A – Ambienti ad uso residenziale")) +
                    2 * kCellPadding;
        else if (column == ActionTableModel::KindColumn)
            width = metrics.horizontalAdvance(QStringLiteral("G1")) + 3 * kCellPadding;
        header->resizeSection(column, width);
    }
    header->setSectionResizeMode(ActionTableModel::NameColumn, QHeaderView::Stretch);
    int tableWidth = 0;
    for (int column = 0; column < model->columnCount(); ++column)
        tableWidth += header->sectionSize(column);
    QHeaderView* rows = table->verticalHeader();
    const int rowNumbers = metrics.horizontalAdvance(QStringLiteral("000")) + kCellPadding;
    rows->setMinimumWidth(rowNumbers);
    const int frame = 2 * table->frameWidth();
    table->setMinimumWidth(tableWidth + rowNumbers + frame +
                           table->verticalScrollBar()->sizeHint().width());
    table->setMinimumHeight(header->sizeHint().height() +
                            kVisibleRows * rows->defaultSectionSize() + frame);
    return table;
}

// The columns of the built combinations' list.
const QStringList kBuiltHeader = {
    QStringLiteral("Tipo"),    QStringLiteral("N\n(Kg)"),      QStringLiteral("N\n(kN)"),
    QStringLiteral("T\n(Kg)"), QStringLiteral("T\n(kN)"),      QStringLiteral("ex\n(m)"),
    QStringLiteral("ey\n(m)"), QStringLiteral("Combinazione"),
};

} // namespace

std::function<QString(QWidget*)> ActionsDialog::ChooseCsvFile = [](QWidget* owner) {
    return QFileDialog::getOpenFileName(owner, QStringLiteral("Importa combinazioni"), QString(),
                                        QStringLiteral("File CSV (*.csv *.txt);;Tutti i file (*)"));
};

ActionsDialog::ActionsDialog(QWidget* parent, const DesignData& design, const SoilData& soil,
                             const GeometryData& footing)
    : QDialog(parent), m_approach(design.approach), m_soil(soil), m_ground(design.ground),
      m_footing(footing) {
    setWindowTitle(QStringLiteral("Azioni e combinazioni"));
    // The look of the program's other dialogs.
    setFont(TDialogTemplate().Font());

    const ActionsData actions = design.actions.value_or(ActionsData{});
    m_selfWeight = actions.selfWeight.value_or(SelfWeight{});
    m_actions =
        new ActionTableModel(ActionTableModel::Rows::Actions, actions.characteristic, {}, this);
    m_combinations =
        new ActionTableModel(ActionTableModel::Rows::Combinations, {}, actions.combinations, this);
    m_actionsDelegate = new ActionDelegate(this);
    m_combinationsDelegate = new ActionDelegate(this);

    // The way in.
    auto* modeBox = new QGroupBox(QStringLiteral("Azioni sulla fondazione"), this);
    auto* modeLayout = new QHBoxLayout(modeBox);
    m_characteristicMode = new QRadioButton(
        QStringLiteral("Azioni &caratteristiche: le combinazioni sono generate"), modeBox);
    m_characteristicMode->setObjectName(QStringLiteral("characteristicMode"));
    m_combinationsMode =
        new QRadioButton(QStringLiteral("Com&binazioni date, già combinate"), modeBox);
    m_combinationsMode->setObjectName(QStringLiteral("combinationsMode"));
    auto* modes = new QButtonGroup(this);
    modes->addButton(m_characteristicMode);
    modes->addButton(m_combinationsMode);
    modeLayout->addWidget(m_characteristicMode);
    modeLayout->addWidget(m_combinationsMode);
    modeLayout->addStretch(1);

    // The two tables, one at a time.
    m_actionsTable = newTable(m_actions, m_actionsDelegate, QStringLiteral("actions"), this);
    m_combinationsTable =
        newTable(m_combinations, m_combinationsDelegate, QStringLiteral("combinations"), this);
    m_tables = new QStackedWidget(this);
    m_tables->addWidget(m_actionsTable);
    m_tables->addWidget(m_combinationsTable);

    m_add = button(QStringLiteral("A&ggiungi"), QStringLiteral("add"), this);
    m_remove = button(QStringLiteral("&Rimuovi"), QStringLiteral("remove"), this);
    m_import = button(QStringLiteral("&Importa CSV..."), QStringLiteral("import"), this);
    m_units = new QComboBox(this);
    m_units->setObjectName(QStringLiteral("units"));
    m_units->addItems({QStringLiteral("Kg e Kg m"), QStringLiteral("kN e kN m")});
    auto* unitsLabel = new QLabel(QStringLiteral("&Unità del file"), this);
    unitsLabel->setBuddy(m_units);
    auto* rowButtons = new QHBoxLayout;
    rowButtons->addWidget(m_add);
    rowButtons->addWidget(m_remove);
    rowButtons->addStretch(1);
    rowButtons->addWidget(m_import);
    rowButtons->addWidget(unitsLabel);
    rowButtons->addWidget(m_units);

    m_message = NewMessageLabel(this);

    // The self-weight.
    auto* weightBox = new QGroupBox(QStringLiteral("Peso proprio (azione G1)"), this);
    auto* weightLayout = new QGridLayout(weightBox);
    m_withSelfWeight = new QCheckBox(
        QStringLiteral("Includi il peso &proprio della fondazione e del rinterro"), weightBox);
    m_withSelfWeight->setObjectName(QStringLiteral("selfWeight"));
    m_withSelfWeight->setChecked(actions.selfWeight.has_value());
    const auto inputOf = [this](const actions::NumberField& f) {
        return new NumberInput(f.minimum, f.maximum, f.decimals, this);
    };
    m_thicknessInput = inputOf(actions::kThicknessField);
    m_gammaConcreteInput = inputOf(actions::kGammaConcreteField);
    m_gammaFillInput = inputOf(actions::kGammaFillField);
    m_thickness = numberField(m_thicknessInput, QStringLiteral("thickness"), weightBox);
    m_gammaConcrete = numberField(m_gammaConcreteInput, QStringLiteral("gammaConcrete"), weightBox);
    m_gammaFill = numberField(m_gammaFillInput, QStringLiteral("gammaFill"), weightBox);
    m_thickness->setText(m_thicknessInput->Text(m_selfWeight.thickness));
    m_gammaConcrete->setText(m_gammaConcreteInput->Text(m_selfWeight.gammaConcrete));
    if (m_selfWeight.gammaFill)
        m_gammaFill->setText(m_gammaFillInput->Text(*m_selfWeight.gammaFill));
    m_gammaFill->setPlaceholderText(QStringLiteral("del terreno"));
    const struct {
        const char* label;
        QLineEdit* field;
    } weightFields[] = {
        {"Sp&essore della fondazione (m)", m_thickness},
        {"γ calcestru&zzo (kg/m³)", m_gammaConcrete},
        {"γ rin&terro (kg/m³; vuoto: quello del terreno)", m_gammaFill},
    };
    weightLayout->addWidget(m_withSelfWeight, 0, 0, 1, 4);
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(QString::fromUtf8(weightFields[i].label), weightBox);
        label->setBuddy(weightFields[i].field);
        weightLayout->addWidget(label, 1 + i, 0);
        weightLayout->addWidget(weightFields[i].field, 1 + i, 1);
    }
    weightLayout->setColumnStretch(2, 1);

    // The combinations a verification takes.
    m_builtTitle = new QLabel(this);
    m_builtTitle->setWordWrap(true);
    m_built = new QTableWidget(0, static_cast<int>(kBuiltHeader.size()), this);
    m_built->setObjectName(QStringLiteral("built"));
    m_built->setHorizontalHeaderLabels(kBuiltHeader);
    m_built->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_built->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_built->setTabKeyNavigation(false);
    m_built->setWordWrap(false);
    m_built->horizontalHeader()->setStretchLastSection(true);
    m_built->horizontalHeader()->setSectionResizeMode(7, QHeaderView::ResizeToContents);
    m_built->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    {
        const QFontMetrics metrics = m_built->fontMetrics();
        const int number = metrics.horizontalAdvance(QStringLiteral("-99999999")) + kCellPadding;
        m_built->horizontalHeader()->resizeSection(
            0, metrics.horizontalAdvance(QStringLiteral("SLE quasi permanente")) + kCellPadding);
        for (int column = 1; column < 7; ++column)
            m_built->horizontalHeader()->resizeSection(column, number);
        const int frame = 2 * m_built->frameWidth();
        m_built->setMinimumHeight(
            m_built->horizontalHeader()->sizeHint().height() +
            kVisibleBuiltRows * m_built->verticalHeader()->defaultSectionSize() + frame);
    }
    m_builtTitle->setBuddy(m_built);

    auto* left = new QVBoxLayout;
    left->addWidget(modeBox);
    left->addWidget(m_tables, 1);
    left->addLayout(rowButtons);
    left->addWidget(m_message);
    left->addWidget(weightBox);
    left->addWidget(m_builtTitle);
    left->addWidget(m_built, 1);

    auto* ok = new QPushButton(QStringLiteral("O&K"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = button(QStringLiteral("Annu&lla"), QStringLiteral("cancel"), this);
    auto* help = button(QStringLiteral("Aiut&o"), QStringLiteral("help"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    resize(std::max(kDialogWidth, sizeHint().width()), sizeHint().height());

    (actions.mode == ActionsMode::Characteristic ? m_characteristicMode : m_combinationsMode)
        ->setChecked(true);
    m_tables->setCurrentWidget(actions.mode == ActionsMode::Characteristic ? m_actionsTable
                                                                           : m_combinationsTable);

    connect(m_add, &QPushButton::clicked, this, &ActionsDialog::AddRow);
    connect(m_remove, &QPushButton::clicked, this, &ActionsDialog::RemoveRow);
    connect(m_import, &QPushButton::clicked, this, &ActionsDialog::ChooseAndImport);
    connect(ok, &QPushButton::clicked, this, &ActionsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &ActionsDialog::reject);
    connect(help, &QPushButton::clicked, this, &ActionsDialog::ShowHelp);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            &ActionsDialog::ShowHelp);
    connect(m_characteristicMode, &QRadioButton::toggled, this, [this](bool characteristic) {
        CommitOpenEditor();
        m_tables->setCurrentWidget(characteristic ? m_actionsTable : m_combinationsTable);
        m_message->clear();
        UpdateControls();
        UpdateCombinations();
    });
    for (ActionTableModel* model : {m_actions, m_combinations}) {
        connect(model, &ActionTableModel::refused, m_message, &QLabel::setText);
        const auto changed = [this] {
            m_message->clear();
            UpdateControls();
            UpdateCombinations();
        };
        connect(model, &QAbstractItemModel::dataChanged, this, changed);
        connect(model, &QAbstractItemModel::rowsInserted, this, changed);
        connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
        connect(model, &QAbstractItemModel::modelReset, this, changed);
    }
    for (QTableView* table : {m_actionsTable, m_combinationsTable})
        connect(table->selectionModel(), &QItemSelectionModel::currentChanged, this,
                &ActionsDialog::UpdateControls);
    connect(m_withSelfWeight, &QCheckBox::toggled, this, [this] {
        UpdateControls();
        UpdateCombinations();
    });
    const auto follow = [this](QLineEdit* field, NumberInput* input, auto apply) {
        connect(field, &QLineEdit::textChanged, this, [this, input, apply](const QString& text) {
            apply(input->Value(text.trimmed()));
            UpdateCombinations();
        });
    };
    follow(m_thickness, m_thicknessInput, [this](std::optional<double> v) {
        if (v)
            m_selfWeight.thickness = *v;
    });
    follow(m_gammaConcrete, m_gammaConcreteInput, [this](std::optional<double> v) {
        if (v)
            m_selfWeight.gammaConcrete = *v;
    });
    follow(m_gammaFill, m_gammaFillInput,
           [this](std::optional<double> v) { m_selfWeight.gammaFill = v; });

    UpdateControls();
    UpdateCombinations();
}

ActionsDialog::~ActionsDialog() = default;

std::optional<ActionsData> ActionsDialog::Actions() const {
    ActionsData actions;
    actions.mode =
        m_characteristicMode->isChecked() ? ActionsMode::Characteristic : ActionsMode::Combinations;
    actions.characteristic = m_actions->Actions();
    actions.combinations = m_combinations->Combinations();
    if (m_withSelfWeight->isChecked())
        actions.selfWeight = m_selfWeight;
    if (actions.characteristic.empty() && actions.combinations.empty() && !actions.selfWeight)
        return std::nullopt;
    return actions;
}

ActionTableModel* ActionsDialog::CurrentModel() const {
    return m_characteristicMode->isChecked() ? m_actions : m_combinations;
}

QTableView* ActionsDialog::CurrentTable() const {
    return m_characteristicMode->isChecked() ? m_actionsTable : m_combinationsTable;
}

void ActionsDialog::AddRow() {
    CommitOpenEditor();
    QTableView* table = CurrentTable();
    const int row = table->currentIndex().isValid() ? table->currentIndex().row() : -1;
    if (!CurrentModel()->InsertRow(row))
        return;
    const int at = row >= 0 ? row + 1 : CurrentModel()->rowCount() - 1;
    const QModelIndex index = CurrentModel()->index(at, ActionTableModel::NameColumn);
    table->setCurrentIndex(index);
    table->scrollTo(index);
    table->setFocus();
}

void ActionsDialog::RemoveRow() {
    CommitOpenEditor();
    QTableView* table = CurrentTable();
    const int row = table->currentIndex().isValid() ? table->currentIndex().row() : -1;
    if (!CurrentModel()->RemoveRow(row))
        return;
    if (CurrentModel()->rowCount() > 0)
        table->setCurrentIndex(CurrentModel()->index(std::min(row, CurrentModel()->rowCount() - 1),
                                                     ActionTableModel::NameColumn));
    UpdateControls();
}

void ActionsDialog::ChooseAndImport() {
    CommitOpenEditor();
    const QString path = ChooseCsvFile ? ChooseCsvFile(this) : QString();
    if (!path.isEmpty())
        ImportCsv(path);
}

bool ActionsDialog::ImportCsv(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowMessageBox(
            QStringLiteral("Impossibile leggere il file %1: %2").arg(name, file.errorString()),
            QMessageBox::Warning, this);
        return false;
    }
    const QByteArray bytes = file.readAll();
    const actions::CsvUnits units = m_units->currentIndex() == 1 ? actions::CsvUnits::Kilonewtons
                                                                 : actions::CsvUnits::Kilograms;
    actions::CombinationsCsv csv = actions::readCombinationsCsv(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), units);
    QStringList lines;
    for (std::size_t i = 0; i < csv.errors.size(); ++i) {
        if (static_cast<int>(i) == kShownCsvErrors) {
            lines.append(QStringLiteral("… e altri %1 errori").arg(csv.errors.size() - i));
            break;
        }
        lines.append(QString::fromStdString(csv.errors[i].message));
    }
    if (csv.ok() && csv.combinations.size() > actions::kMaxGivenCombinations)
        lines.append(QStringLiteral("%1 combinazioni: al massimo %2")
                         .arg(csv.combinations.size())
                         .arg(actions::kMaxGivenCombinations));
    if (!lines.isEmpty()) {
        ShowMessageBox(QStringLiteral("Il file %1 non è stato importato:\n\n").arg(name) +
                           lines.join(u'\n'),
                       QMessageBox::Warning, this);
        return false;
    }
    const std::size_t count = csv.combinations.size();
    m_combinationsMode->setChecked(true);
    m_combinations->SetCombinations(std::move(csv.combinations));
    m_message->setText(QStringLiteral("%1 combinazioni importate da %2").arg(count).arg(name));
    return true;
}

void ActionsDialog::accept() {
    // A cell still open is taken first; if it is refused, the dialog stays
    // with the message.
    m_message->clear();
    CommitOpenEditor();
    if (!m_message->text().isEmpty())
        return;
    if (m_withSelfWeight->isChecked()) {
        const struct {
            QLineEdit* field;
            NumberInput* input;
            bool optional;
        } fields[] = {{m_thickness, m_thicknessInput, false},
                      {m_gammaConcrete, m_gammaConcreteInput, false},
                      {m_gammaFill, m_gammaFillInput, true}};
        for (const auto& f : fields) {
            const QString text = f.field->text().trimmed();
            if ((f.optional && text.isEmpty()) || f.input->Value(text))
                continue;
            ShowMessageBox(f.input->ErrorText(), QMessageBox::Warning, this);
            f.field->setFocus();
            f.field->selectAll();
            return;
        }
    }
    QDialog::accept();
}

void ActionsDialog::keyPressEvent(QKeyEvent* event) {
    // Enter ends the edit of a cell (the delegate takes it), and does not
    // also press OK.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && IsEditing()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ActionsDialog::UpdateControls() {
    const ActionTableModel* model = CurrentModel();
    const std::size_t maximum =
        model == m_actions ? actions::kMaxActions : actions::kMaxGivenCombinations;
    m_add->setEnabled(static_cast<std::size_t>(model->rowCount()) < maximum);
    m_remove->setEnabled(CurrentTable()->currentIndex().isValid());
    const bool given = m_combinationsMode->isChecked();
    m_import->setEnabled(given);
    m_units->setEnabled(given);
    const bool weight = m_withSelfWeight->isChecked();
    for (QLineEdit* field : {m_thickness, m_gammaConcrete, m_gammaFill})
        field->setEnabled(weight);
}

void ActionsDialog::UpdateCombinations() {
    const design::Approach* approach = design::findAnyApproach(m_approach);
    if (approach == nullptr)
        approach = &design::approaches().front();
    std::vector<actions::Combination> combinations;
    if (const std::optional<ActionsData> actions = Actions()) {
        const double thickness = actions->selfWeight ? actions->selfWeight->thickness : 0.0;
        const double gamma = design::backfillGamma(ground::buildProfile(m_ground, m_soil), m_soil,
                                                   m_footing.D, thickness);
        DesignData design;
        design.actions = actions;
        if (design::hasCombinations(design))
            combinations = actions::projectCombinations(*actions, *approach, m_footing, gamma);
    }
    m_builtTitle->setText(
        (m_characteristicMode->isChecked()
             ? QStringLiteral("Co&mbinazioni generate per %1")
             : QStringLiteral("Co&mbinazioni verificate (con il peso proprio) per %1"))
            .arg(fromView(approach->label)) +
        QStringLiteral(": %1").arg(combinations.size()));
    m_built->setRowCount(static_cast<int>(combinations.size()));
    for (std::size_t i = 0; i < combinations.size(); ++i) {
        const actions::Combination& c = combinations[i];
        const QString cells[] = {
            fromView(actions::typeLabel(c.type)),
            fixed(c.forces.N, 0),
            fixed(design::kilonewtons(c.forces.N), 2),
            fixed(c.T, 0),
            fixed(design::kilonewtons(c.T), 2),
            fixed(c.ex, 3),
            fixed(c.ey, 3),
            QString::fromStdString(c.name),
        };
        for (int column = 0; column < static_cast<int>(std::size(cells)); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column > 0 && column < 7)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (column == 7)
                item->setToolTip(cells[column]);
            m_built->setItem(static_cast<int>(i), column, item);
        }
    }
}

void ActionsDialog::CommitOpenEditor() {
    m_actionsDelegate->CommitOpenEditor();
    m_combinationsDelegate->CommitOpenEditor();
}

bool ActionsDialog::IsEditing() const {
    return m_actionsDelegate->IsEditing() || m_combinationsDelegate->IsEditing();
}

void ActionsDialog::ShowHelp() {
    WinHelp(this, QStringLiteral("zolt.hlp"), HELP_CONTEXT, kHelpContext);
}

bool ActionsCommand(QWidget* owner) {
    ActionsDialog dialog(owner, designData, soilData, geometryData);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    designData.actions = dialog.Actions();
    return true;
}

} // namespace zolt
