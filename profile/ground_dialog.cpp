#include "profile/ground_dialog.h"

#include "ground/ground_fields.h"
#include "model/project.h"
#include "profile/layer_delegate.h"
#include "profile/layer_table_model.h"
#include "profile/message_label.h"
#include "profile/number_input.h"
#include "profile/profile_view.h"
#include "toolkit/tdialogtemplate.h"
#include "toolkit/tmessagebox.h"
#include "toolkit/twinhelp.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace zolt {

namespace {

constexpr int kWaterTableDecimals = 2; // m, as the layers' thicknesses
constexpr int kGammaSatDecimals = 1;   // kg/m3, as the layers' unit weights
constexpr int kNameColumnWidth = 130;  // px
constexpr int kCellPadding = 10;       // px beside a cell's widest number
constexpr int kVisibleRows = 8;
// The widest value a number column shows.
const QString kWidestNumber = QStringLiteral("9999.999");

QLineEdit* numberField(NumberInput* input, const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setValidator(input);
    edit->setMaxLength(NumberInput::MaxLength);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(kWidestNumber) + 3 * kCellPadding);
    return edit;
}

constexpr QAbstractItemView::EditTriggers kEditTriggers = QAbstractItemView::DoubleClicked |
                                                          QAbstractItemView::EditKeyPressed |
                                                          QAbstractItemView::AnyKeyPressed;

// The widest text a settlement column shows: its largest value.
QString widestValue(const ground::SettlementField& field) {
    return NumberInput(field.minimum, field.maximum, field.decimals).Text(field.maximum);
}

// Sizes the columns of `table` from `first` on: the strength columns (from
// 0) as wide as kWidestNumber, the settlement ones as their own widest
// value; a header wider than its values widens its column. Returns their
// width together.
int sizeColumns(QTableView* table, int first) {
    QHeaderView* header = table->horizontalHeader();
    const int end =
        first == 0 ? LayerTableModel::FirstSettlementColumn() : table->model()->columnCount();
    const int numberWidth = table->fontMetrics().horizontalAdvance(kWidestNumber) + kCellPadding;
    int total = 0;
    for (int column = first; column < end; ++column) {
        int width = kNameColumnWidth;
        if (const ground::SettlementField* field = LayerTableModel::SettlementFieldAt(column))
            width =
                std::max(table->fontMetrics().horizontalAdvance(widestValue(*field)) + kCellPadding,
                         header->sectionSizeHint(column));
        else if (column != LayerTableModel::NameColumn)
            width = std::max(numberWidth, header->sectionSizeHint(column));
        header->resizeSection(column, width);
        total += width;
    }
    return total;
}

QPushButton* button(const QString& text, const QString& name, QWidget* parent) {
    auto* pushButton = new QPushButton(text, parent);
    pushButton->setObjectName(name);
    pushButton->setAutoDefault(false);
    return pushButton;
}

} // namespace

GroundDialog::GroundDialog(QWidget* parent, const GroundData& ground, const SoilData& soil,
                           const GeometryData& footing)
    : QDialog(parent), m_ground(ground), m_soil(soil), m_footing(footing),
      m_depth(ground.waterTable) {
    setWindowTitle(QStringLiteral("Stratigrafia e falda"));
    // The look of the program's other dialogs.
    setFont(TDialogTemplate().Font());

    m_model = new LayerTableModel(ground.layers, this);
    m_delegate = new LayerDelegate(this);
    m_waterInput =
        new NumberInput(ground::kMinWaterTable, ground::kMaxWaterTable, kWaterTableDecimals, this);
    m_gammaSatInput =
        new NumberInput(ground::kMinGammaSat, ground::kMaxGammaSat, kGammaSatDecimals, this);

    // The layers.
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("layers"));
    m_table->setModel(m_model);
    m_table->setItemDelegate(m_delegate);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(kEditTriggers);
    // Tab goes on to the next control; the arrows move between the cells.
    m_table->setTabKeyNavigation(false);
    // The settlement columns follow the strengths, a scroll away where
    // the screen is narrower than the whole table.
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_table->horizontalHeader()->setStretchLastSection(true);
    const int strengthWidth = sizeColumns(m_table, 0);
    const int settlementWidth = sizeColumns(m_table, LayerTableModel::FirstSettlementColumn());
    QHeaderView* header = m_table->horizontalHeader();
    QHeaderView* rows = m_table->verticalHeader();
    const int rowNumbers =
        m_table->fontMetrics().horizontalAdvance(QStringLiteral("00")) + kCellPadding;
    rows->setMinimumWidth(rowNumbers);
    const int frame = 2 * m_table->frameWidth();
    const int scrollBar = m_table->verticalScrollBar()->sizeHint().width();
    m_table->setMinimumWidth(strengthWidth + rowNumbers + frame + scrollBar);
    m_table->setMinimumHeight(header->sizeHint().height() +
                              kVisibleRows * rows->defaultSectionSize() + frame +
                              m_table->horizontalScrollBar()->sizeHint().height());

    auto* tableLabel = new QLabel(QStringLiteral("Strati dalla s&uperficie verso il basso"), this);
    tableLabel->setBuddy(m_table);
    m_add = button(QStringLiteral("A&ggiungi"), QStringLiteral("add"), this);
    m_remove = button(QStringLiteral("&Rimuovi"), QStringLiteral("remove"), this);
    m_up = button(QStringLiteral("Sposta in al&to"), QStringLiteral("up"), this);
    m_down = button(QStringLiteral("Sposta in &basso"), QStringLiteral("down"), this);
    auto* layerButtons = new QHBoxLayout;
    for (QPushButton* b : {m_add, m_remove, m_up, m_down})
        layerButtons->addWidget(b);
    layerButtons->addStretch(1);

    auto* note = new QLabel(
        QStringLiteral("L'ultimo strato prosegue a qualsiasi profondità: il suo spessore non "
                       "conta. Senza strati il terreno è quello di «Dati Terreno»."),
        this);
    note->setWordWrap(true);
    m_message = NewMessageLabel(this);

    // The water table, on one line.
    auto* waterBox = new QGroupBox(QStringLiteral("Falda"), this);
    auto* waterLayout = new QHBoxLayout(waterBox);
    m_noWater = new QCheckBox(QStringLiteral("Falda ass&ente"), waterBox);
    m_noWater->setObjectName(QStringLiteral("noWater"));
    m_waterTable = numberField(m_waterInput, QStringLiteral("waterTable"), waterBox);
    auto* waterLabel = new QLabel(QStringLiteral("&Profondità dal piano campagna (m)"), waterBox);
    waterLabel->setBuddy(m_waterTable);
    waterLayout->addWidget(m_noWater);
    waterLayout->addStretch(1);
    waterLayout->addWidget(waterLabel);
    waterLayout->addWidget(m_waterTable);
    m_noWater->setChecked(!ground.waterTable);
    if (ground.waterTable)
        m_waterTable->setText(m_waterInput->Text(*ground.waterTable));

    // The homogeneous soil.
    auto* soilBox = new QGroupBox(QStringLiteral("Terreno omogeneo (senza strati)"), this);
    auto* soilLayout = new QGridLayout(soilBox);
    m_gammaSat = numberField(m_gammaSatInput, QStringLiteral("gammaSat"), soilBox);
    m_gammaSat->setText(m_gammaSatInput->Text(ground.gammaSat));
    auto* gammaSatLabel =
        new QLabel(QStringLiteral("Peso di &volume saturo γsat (kg/m³)"), soilBox);
    gammaSatLabel->setBuddy(m_gammaSat);
    soilLayout->addWidget(gammaSatLabel, 0, 0);
    soilLayout->addWidget(m_gammaSat, 0, 1, Qt::AlignLeft);
    SoilLayer homogeneous;
    homogeneous.settlement = ground.settlement;
    m_soilModel = new LayerTableModel({homogeneous}, this);
    m_soilModel->SetRowName(QStringLiteral("Terreno omogeneo"));
    m_soilDelegate = new LayerDelegate(this);
    m_soilTable = new QTableView(soilBox);
    m_soilTable->setObjectName(QStringLiteral("soilSettlement"));
    m_soilTable->setModel(m_soilModel);
    m_soilTable->setItemDelegate(m_soilDelegate);
    m_soilTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_soilTable->setEditTriggers(kEditTriggers);
    m_soilTable->setTabKeyNavigation(false);
    m_soilTable->verticalHeader()->hide();
    m_soilTable->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_soilTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_soilTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int column = 0; column < LayerTableModel::FirstSettlementColumn(); ++column)
        m_soilTable->setColumnHidden(column, true);
    const int soilWidth = sizeColumns(m_soilTable, LayerTableModel::FirstSettlementColumn());
    const int soilFrame = 2 * m_soilTable->frameWidth();
    m_soilTable->setFixedSize(soilWidth + soilFrame,
                              m_soilTable->horizontalHeader()->sizeHint().height() +
                                  m_soilTable->verticalHeader()->defaultSectionSize() + soilFrame);
    // The keyboard starts on E, with nothing selected until the user moves.
    m_soilTable->selectionModel()->setCurrentIndex(
        m_soilModel->index(0, LayerTableModel::FirstSettlementColumn()),
        QItemSelectionModel::NoUpdate);
    auto* soilSettlementLabel = new QLabel(QStringLiteral("Parametri dei &cedimenti"), soilBox);
    soilSettlementLabel->setBuddy(m_soilTable);
    soilLayout->addWidget(soilSettlementLabel, 1, 0);
    soilLayout->addWidget(m_soilTable, 1, 1, Qt::AlignLeft);
    soilLayout->setColumnStretch(2, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(tableLabel);
    left->addWidget(m_table, 1);
    left->addLayout(layerButtons);
    left->addWidget(note);
    left->addWidget(m_message);
    left->addWidget(waterBox);
    left->addWidget(soilBox);

    m_view = new ProfileView(this);
    m_view->setObjectName(QStringLiteral("profile"));
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addWidget(m_view);

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
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    connect(m_add, &QPushButton::clicked, this, &GroundDialog::AddLayer);
    connect(m_remove, &QPushButton::clicked, this, &GroundDialog::RemoveLayer);
    connect(m_up, &QPushButton::clicked, this, [this] { MoveLayer(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { MoveLayer(1); });
    connect(ok, &QPushButton::clicked, this, &GroundDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &GroundDialog::reject);
    connect(help, &QPushButton::clicked, this, &GroundDialog::ShowHelp);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            &GroundDialog::ShowHelp);
    connect(m_model, &LayerTableModel::refused, this, &GroundDialog::ShowRefusal);
    connect(m_soilModel, &LayerTableModel::refused, this, &GroundDialog::ShowRefusal);
    connect(m_soilModel, &QAbstractItemModel::dataChanged, m_message, &QLabel::clear);
    const auto changed = [this] {
        m_message->clear();
        UpdateControls();
        UpdateDrawing();
    };
    connect(m_model, &QAbstractItemModel::dataChanged, this, changed);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, changed);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(m_model, &QAbstractItemModel::rowsMoved, this, changed);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &GroundDialog::UpdateControls);
    connect(m_noWater, &QCheckBox::toggled, this, [this](bool none) {
        UpdateControls();
        UpdateDrawing();
        if (!none)
            m_waterTable->setFocus();
    });
    connect(m_waterTable, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (const std::optional<double> depth = m_waterInput->Value(text.trimmed()))
            m_depth = depth;
        UpdateDrawing();
    });
    connect(m_gammaSat, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (const std::optional<double> gammaSat = m_gammaSatInput->Value(text.trimmed()))
            m_ground.gammaSat = *gammaSat;
        UpdateDrawing();
    });

    if (m_model->rowCount() > 0)
        SelectRow(0);
    UpdateControls();
    UpdateDrawing();

    // Wide enough for every column where the screen has the room.
    QSize size = sizeHint();
    size.rwidth() += settlementWidth;
    if (const QScreen* screen = this->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    resize(size.expandedTo(minimumSizeHint()));
}

GroundDialog::~GroundDialog() = default;

GroundData GroundDialog::Ground() const {
    GroundData result = m_ground;
    result.layers = m_model->Layers();
    result.settlement = m_soilModel->Layers().front().settlement;
    result.waterTable.reset();
    // An empty depth is no water table, as the check box is.
    if (!m_noWater->isChecked() && !m_waterTable->text().trimmed().isEmpty())
        result.waterTable = m_depth;
    return result;
}

void GroundDialog::accept() {
    // A cell still open is taken first; if it is refused, the dialog stays
    // with the message.
    m_message->clear();
    m_delegate->CommitOpenEditor();
    m_soilDelegate->CommitOpenEditor();
    if (!m_message->text().isEmpty())
        return;
    const auto refuse = [this](QLineEdit* field, const NumberInput* input) {
        ShowMessageBox(input->ErrorText(), QMessageBox::Warning, this);
        field->setFocus();
        field->selectAll();
    };
    const QString depth = m_waterTable->text().trimmed();
    if (!m_noWater->isChecked() && !depth.isEmpty() && !m_waterInput->Value(depth)) {
        refuse(m_waterTable, m_waterInput);
        return;
    }
    if (m_gammaSat->isEnabled() && !m_gammaSatInput->Value(m_gammaSat->text().trimmed())) {
        refuse(m_gammaSat, m_gammaSatInput);
        return;
    }
    QDialog::accept();
}

void GroundDialog::keyPressEvent(QKeyEvent* event) {
    // Enter ends the edit of a cell (the delegate takes it), and does not
    // also press OK.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (m_delegate->IsEditing() || m_soilDelegate->IsEditing())) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

int GroundDialog::CurrentRow() const {
    const QModelIndex current = m_table->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void GroundDialog::SelectRow(int row) {
    const QModelIndex index = m_model->index(row, LayerTableModel::NameColumn);
    m_table->setCurrentIndex(index);
    m_table->selectRow(row);
    m_table->scrollTo(index);
}

void GroundDialog::AddLayer() {
    m_delegate->CommitOpenEditor();
    const int count = m_model->rowCount();
    const int row = CurrentRow();
    SoilLayer layer;
    if (count == 0) {
        // The first layer starts as the homogeneous soil it replaces.
        layer.gamma = m_soil.gamma;
        layer.gammaSat = Ground().gammaSat;
        layer.phi = m_soil.phi;
        layer.delta = m_soil.delta;
        layer.c = m_soil.c;
        layer.ca = m_soil.ca;
        layer.settlement = Ground().settlement;
    } else {
        // A new layer starts as the one it follows, without what only that
        // one's file knew.
        const SoilLayer& model =
            m_model->Layers()[static_cast<std::size_t>(row >= 0 ? row : count - 1)];
        layer.thickness = model.thickness;
        layer.gamma = model.gamma;
        layer.gammaSat = model.gammaSat;
        layer.phi = model.phi;
        layer.delta = model.delta;
        layer.c = model.c;
        layer.ca = model.ca;
        layer.cu = model.cu;
        layer.settlement = model.settlement;
    }
    layer.name = "Strato " + std::to_string(count + 1);
    const int at = row >= 0 ? row + 1 : count;
    if (m_model->InsertLayer(at, layer))
        SelectRow(at);
}

void GroundDialog::RemoveLayer() {
    m_delegate->CommitOpenEditor();
    const int row = CurrentRow();
    if (!m_model->RemoveLayer(row))
        return;
    if (m_model->rowCount() > 0)
        SelectRow(std::min(row, m_model->rowCount() - 1));
    UpdateControls();
}

void GroundDialog::MoveLayer(int step) {
    m_delegate->CommitOpenEditor();
    const int row = CurrentRow();
    if (m_model->MoveLayer(row, step))
        SelectRow(row + step);
    UpdateControls();
}

void GroundDialog::ShowRefusal(const QString& message) {
    m_message->setText(message);
}

void GroundDialog::UpdateControls() {
    const int count = m_model->rowCount();
    const int row = CurrentRow();
    m_add->setEnabled(count < static_cast<int>(ground::kMaxLayers));
    m_remove->setEnabled(row >= 0);
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row + 1 < count);
    m_waterTable->setEnabled(!m_noWater->isChecked());
    m_gammaSat->setEnabled(count == 0);
    m_soilTable->setEnabled(count == 0);
}

void GroundDialog::UpdateDrawing() {
    m_view->SetGround(Ground(), m_soil, m_footing.B, m_footing.D);
}

void GroundDialog::ShowHelp() {
    WinHelp(this, QStringLiteral("zolt.hlp"), HELP_CONTEXT, kHelpContext);
}

bool GroundCommand(QWidget* owner) {
    GroundDialog dialog(owner, designData.ground, soilData, geometryData);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    designData.ground = dialog.Ground();
    return true;
}

} // namespace zolt
