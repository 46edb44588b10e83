#include "reports/ReportScreen.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/EstablishmentLabels.h"
#include "messaging/CarregaGrid.h"
#include "widgets/FormHelpers.h"
#include "widgets/GridView.h"
#include "widgets/ScreenArea.h"

namespace vtx::client::reports {
namespace {

const QString kReportScreenTitle = QStringLiteral("Atenção");

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

ReportScreen::ReportScreen(const QString& name, const QString& gridName, ClientSession& session,
                           Printer* printer, ReportHost host, QWidget* parent)
    : QDialog(parent), session_(session), printer_(printer), host_(std::move(host)) {
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    auto* labels = new QHBoxLayout;
    lblCodigoEstab_ = new QLabel(this);
    lblCodigoEstab_->setObjectName(QStringLiteral("lblCodigoEstab"));
    lblNomeEstab_ = new QLabel(this);
    lblNomeEstab_->setObjectName(QStringLiteral("lblNomeEstab"));
    lblAdministradora_ = new QLabel(this);
    lblAdministradora_->setObjectName(QStringLiteral("lblAdministradora"));
    labels->addWidget(lblCodigoEstab_);
    labels->addWidget(lblNomeEstab_);
    labels->addStretch();
    labels->addWidget(lblAdministradora_);
    layout->addLayout(labels);

    lblsubtitulo_ = new QLabel(this);
    lblsubtitulo_->setObjectName(QStringLiteral("lblsubtitulo"));
    QFont bold = lblsubtitulo_->font();
    bold.setBold(true);
    lblsubtitulo_->setFont(bold);
    layout->addWidget(lblsubtitulo_);

    spd_ = new widgets::GridView(grid_, this);
    spd_->setObjectName(gridName);
    layout->addWidget(spd_, 1);

    buttons_ = new QHBoxLayout;
    buttons_->addStretch();
    QPushButton* print =
        makeButton(this, QStringLiteral("cmdImprimir"), QStringLiteral("F11 - &Imprimir"));
    QPushButton* back =
        makeButton(this, QStringLiteral("cmdRetorna"), QStringLiteral("ESC - &Retorna"));
    connect(print, &QPushButton::clicked, this, [this] { cmdImprimir_Click(); });
    connect(back, &QPushButton::clicked, this, [this] { cmdRetorna_Click(); });
    buttons_->addWidget(print);
    buttons_->addWidget(back);
    layout->addLayout(buttons_);
    resize(900, 560);
}

ReportScreen::~ReportScreen() {
    // The view writes the operator's selection into grid_: it goes first.
    delete spd_;
}

QPushButton* ReportScreen::addButton(const QString& name, const QString& caption) {
    QPushButton* button = makeButton(this, name, caption);
    buttons_->insertWidget(extraButtons_++, button);
    return button;
}

CaptionEntry ReportScreen::caption(const QString& key) const {
    return session_.captions.entry(objectName(), key, session_.settings.TipoEstab);
}

void ReportScreen::setSubtitulo(const QString& text) {
    subtitulo_ = text;
    lblsubtitulo_->setText(text);
}

void ReportScreen::mostraTitulo() {
    if (host_.setPrintEnabled) host_.setPrintEnabled(true);
    if (host_.setCaption)
        host_.setCaption(titulo_ + session_.clock().date().toString(QStringLiteral("dd/MM/yyyy")));
    spd_->setFocus();
}

bool ReportScreen::carregaRelatorio(const QString& titulo, const QString& telaAtual,
                                    const QString& pattern) {
    EstruturaPrincipal& settings = session_.settings;
    titulo_ = titulo;
    if (!telaAtual.isEmpty()) settings.TelaAtual = telaAtual;
    mostraTitulo();
    widgets::PosicionaFormulario(*this);
    const EstablishmentLabels estab = establishmentLabels(session_.captions, settings);
    lblCodigoEstab_->setText(estab.codigo);
    lblNomeEstab_->setText(estab.nome);
    lblAdministradora_->setText(settings.CodigoAdministradora.left(8));

    QString subtitulo = subtitulo_;
    carregado_ = !pattern.isEmpty() && CarregaGrid(pattern, grid_, subtitulo, session_);
    setSubtitulo(subtitulo);
    if (grid_.maxRows() > 0) grid_.setActiveRow(1);
    spd_->refresh();
    return carregado_;
}

int ReportScreen::exec() {
    widgets::placeInScreenArea(*this, host_.screenArea);
    return QDialog::exec();
}

void ReportScreen::cmdImprimir_Click() {
    const QString procedure = QStringLiteral("cmdImprimir_Click");
    if (printer_ == nullptr) {
        session_.reporter.reportPrinterFault(procedure,
                                             QStringLiteral("Nenhuma impressora configurada."));
        return;
    }
    if (!spd_->printGrid(*printer_, subtitulo_, true)) {
        session_.reporter.reportPrinterFault(procedure, printer_->lastError());
        return;
    }
    session_.dialogs.message(QStringLiteral("Impressão efetuada!"), kReportScreenTitle,
                             MessageIcon::Information);
}

void ReportScreen::cmdRetorna_Click() {
    done(QDialog::Rejected);
}

void ReportScreen::reject() {
    cmdRetorna_Click();
}

void ReportScreen::confirmaSaida() {
    if (!session_.dialogs.askYesNo(QStringLiteral("Confirma a Saída do Sistema"), kReportScreenTitle,
                                   MessageAnswer::No))
        return;
    if (host_.endProgram)
        host_.endProgram();
    else
        QCoreApplication::quit();
}

bool ReportScreen::teclaFuncao(int) {
    return false;
}

bool ReportScreen::pressiona(QPushButton* button) {
    if (button->isVisibleTo(this) && button->isEnabled()) button->click();
    return true;
}

void ReportScreen::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier) {
        if (teclaFuncao(event->key())) return;
        switch (event->key()) {
            case Qt::Key_F11:
                cmdImprimir_Click();
                return;
            case Qt::Key_F12:
                confirmaSaida();
                return;
            default:
                break;
        }
    }
    QDialog::keyPressEvent(event);
}

}  // namespace vtx::client::reports
