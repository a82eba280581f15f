#include "app/TForm1.h"

#include "app/AppTexts.h"
#include "app/EnvironControls.h"
#include "app/RigWatchControls.h"
#include "app/StationControls.h"
#include "bandmap/BandMapSheet.h"
#include "bandmap/BandMapTexts.h"
#include "desktop/AboutControls.h"
#include "desktop/CopiesControls.h"
#include "desktop/DesktopTexts.h"
#include "desktop/ExclusiveDialogGuard.h"
#include "desktop/WindowPlacement.h"
#include "files/LogControls.h"
#include "files/ScrollBufferFile.h"
#include "files/TfSendFile.h"
#include "files/UploadTexts.h"
#include "net/TfConnect.h"
#include "net/reconnect/ReconnectControls.h"
#include "scope/ScopeSheet.h"
#include "screen/BackScrollPanel.h"
#include "screen/HistorySheet.h"
#include "screen/ScreenTexts.h"
#include "screen/TerminalFont.h"
#include "screen/TerminalView.h"
#include "script/HelpControls.h"
#include "script/ScriptControls.h"
#include "script/TfScript.h"
#include "send/KeyHistory.h"
#include "send/SendPanel.h"
#include "send/SendTexts.h"
#include "serial/SerialRelay.h"
#include "widgets/Accessibility.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

QPushButton* makeButton(const char* name, const QString& caption) {
    auto* button = new QPushButton;
    button->setObjectName(QLatin1String(name));
    setCaption(button, caption);
    return button;
}

// A button of the top bar is as wide as the style makes it while there is room, and
// shrinks to its caption in a narrow window, so the bar never widens a stored size.
void letShrinkToCaption(QPushButton* button) {
    const int padding = 2 * button->fontMetrics().horizontalAdvance(QLatin1Char('M'));
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + padding);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QList<QRect> availableScreens() {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    if (QGuiApplication::primaryScreen())
        screens.move(screens.indexOf(QGuiApplication::primaryScreen()->availableGeometry()), 0);
    return screens;
}

} // namespace

TForm1::TForm1(std::unique_ptr<SoundOutput> sound, QWidget* parent)
    : QMainWindow(parent)
    , m_core(std::move(sound)) {
    setObjectName(QStringLiteral("Form1"));
    ScriptNodeHost& scriptHost = *this;
    m_script = std::make_unique<TfScript>(scriptHost, m_core.screen(), this);
    m_scriptControls = new ScriptControls(*m_script, this);
    m_helpControls = new HelpControls(this);
    m_copiesControls = new CopiesControls(this, AppTexts::CaptionBase);
    m_aboutControls = new AboutControls(this);
    buildControls();
    FormCreate();
    m_connectDialog = std::make_unique<TfConnect>(m_core.settings(), m_core.lastConnection(), this);
    m_sendFile = std::make_unique<TfSendFile>(m_core.connection(), m_core.lineSender(),
                                              m_core.screen(), m_core.settings(), this);
    m_core.wire({*m_script, [this] { return m_connectDialog->selectedNode(); },
                 [this] { return m_connectDialog->nodes(); },
                 [this] { return m_script->rerunConnectingScript(); }, [] { QApplication::beep(); },
                 [this](const QString& text) { showMessage(this, text); }});
    connect(m_script.get(), &TfScript::runEnded, &m_core.reconnect(),
            &ReconnectCountdown::scriptRunEnded);
    connect(&m_core.serialRelay(), &SerialRelay::statusChanged, m_serialStatus, &QLabel::setText);
    wireSession();
}

TForm1::~TForm1() {
    // Closing the socket as it goes must not run the handlers of a half-destroyed window.
    disconnect(&m_core.session(), nullptr, this, nullptr);
    m_core.unwire();
}

void TForm1::buildControls() {
    auto* central = new QWidget;
    // The window's controls come first among its children: a search by name finds them
    // before the dialogs' controls of the same name (the environment dialog's Panel2).
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    QTabWidget* pages = buildPages(); // the top bar takes the back-scroll view's controls
    m_logControls = std::make_unique<LogControls>(m_core.log(), this);
    connect(m_logControls.get(), &LogControls::statusTextChanged, this,
            [this](const QString& text) { setStatusText(1, text); });
    m_reconnectControls = std::make_unique<ReconnectControls>(m_core.reconnect(), this);
    TerminalLook& look = *this;
    m_environControls = std::make_unique<EnvironControls>(
        m_core, look, *this,
        EnvironControls::Parts{*m_historySheet, *m_helpControls, *m_scriptControls});
    layout->addWidget(buildTopBar());
    layout->addWidget(pages, 1);
    m_sendPanel = new SendPanel(m_core.lineSender());
    layout->addWidget(m_sendPanel);
    buildStatusBar();
    m_rigWatchControls = std::make_unique<RigWatchControls>(
        m_core,
        RigWatchControls::Parts{*m_scopeSheet, *m_bandMapSheet, m_environControls->dialog(),
                                *statusBar()},
        this);
    m_stationControls = std::make_unique<StationControls>(
        m_core, StationControls::Parts{*m_scopeSheet, m_environControls->dialog(), *statusBar()},
        this);
    buildMenu();
    connect(m_sendPanel, &SendPanel::talkSent, this, &TForm1::showTerminalSheet);
}

QWidget* TForm1::buildTopBar() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("Panel1"));
    m_bConnect = makeButton("bConnect", AppTexts::Connect);
    auto* bEnd = makeButton("bEnd", AppTexts::End);
    connect(m_bConnect, &QPushButton::clicked, this, &TForm1::bConnectClick);
    connect(bEnd, &QPushButton::clicked, this, &TForm1::bEndClick);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_bConnect);
    layout->addWidget(m_reconnectControls->button());
    layout->addWidget(m_logControls->button());
    layout->addWidget(m_copiesControls->button());
    for (QWidget* control : m_panel2->topBarControls())
        layout->addWidget(control);
    layout->addStretch();
    layout->addWidget(m_environControls->button());
    layout->addWidget(m_helpControls->button());
    layout->addWidget(m_aboutControls->button());
    layout->addWidget(bEnd);
    for (QPushButton* button : panel->findChildren<QPushButton*>())
        letShrinkToCaption(button);
    return panel;
}

QTabWidget* TForm1::buildPages() {
    m_pageControl1 = new QTabWidget;
    m_pageControl1->setObjectName(QStringLiteral("PageControl1"));
    m_ttySheet = new QWidget;
    m_ttySheet->setObjectName(QStringLiteral("TTYSheet"));
    m_image1 = new TerminalView(m_core.screen());
    auto* ttyLayout = new QVBoxLayout(m_ttySheet);
    ttyLayout->setContentsMargins(0, 0, 0, 0);
    ttyLayout->addWidget(m_image1);
    m_panel2 = new BackScrollPanel(m_core.screen(), *m_image1);
    setBackScrollHook(m_panel2);
    m_pageControl1->installEventFilter(this);
    qApp->installEventFilter(this);
    m_pageControl1->addTab(m_ttySheet, AppTexts::TtySheet);
    m_scopeSheet = new ScopeSheet(m_core.scopes(), m_core.pipeline(), m_core.screen());
    m_pageControl1->addTab(m_scopeSheet, AppTexts::ScopeSheet);
    m_bandMapSheet = new BandMapSheet(m_core.scopes(), m_core.pipeline(), m_core.screen(),
                                      m_scopeSheet->marks(), m_scopeSheet->charset());
    m_pageControl1->addTab(m_bandMapSheet, BandMapTexts::Sheet);
    m_historySheet = new HistorySheet(m_core.screen());
    m_pageControl1->addTab(m_historySheet, AppTexts::HistorySheet);
    m_panel2->setSearchBar(&m_historySheet->searchBar());
    connect(m_pageControl1, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);
    return m_pageControl1;
}

void TForm1::buildStatusBar() {
    auto* bar = new QStatusBar;
    bar->setObjectName(QStringLiteral("StatusBar1"));
    for (int panel = 0; panel < 2; ++panel) {
        m_statusPanels[panel] = new QLabel;
        m_statusPanels[panel]->setObjectName(QStringLiteral("StatusPanel%1").arg(panel));
        bar->addWidget(m_statusPanels[panel], panel == 1 ? 1 : 0);
    }
    // What the serial relay has to say: a node held back for a slow port, bytes lost.
    m_serialStatus = new QLabel;
    m_serialStatus->setObjectName(QStringLiteral("SerialStatus"));
    bar->addPermanentWidget(m_serialStatus);
    setStatusBar(bar);
}

void TForm1::buildMenu() {
    auto* menu = new QMenuBar;
    menu->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = menu->addMenu(AppTexts::FileMenu);
    m_logControls->addMenuItem(file);
    QAction* sendFile = file->addAction(UploadTexts::SendFileMenuItem);
    sendFile->setObjectName(QStringLiteral("SendFile1"));
    connect(sendFile, &QAction::triggered, this, &TForm1::SendFile1Click);
    m_scriptControls->addEditMenu(file);
    QAction* exit = file->addAction(AppTexts::ExitItem);
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, &TForm1::Exit1Click);
    m_panel2->addMenuItems(menu->addMenu(ScreenTexts::BackScrollMenu));
    m_scriptControls->addScriptMenu(menu);
    m_copiesControls->addWindowMenu(menu);
    m_aboutControls->addMenuItem(m_helpControls->addHelpMenu(menu));
    setMenuBar(menu);
}

void TForm1::wireSession() {
    const Session& session = m_core.session();
    connect(&session, &Session::lookingUp, this, &TForm1::ClientSocket1Lookup);
    connect(&session, &Session::calling, this, &TForm1::ClientSocket1Connecting);
    connect(&session, &Session::connected, this, &TForm1::ClientSocket1Connect);
    connect(&session, &Session::socketError, this, &TForm1::ClientSocket1Error);
    connect(&session, &Session::disconnected, this, &TForm1::ClientSocket1Disconnect);
}

void TForm1::setBackScrollHook(BackScrollHook* hook) {
    m_backScroll = hook ? hook : &m_noBackScroll;
}

// The window sees keys and wheel turns before its controls (FormKeyDown and the wheel
// hook), while it is the active window.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == m_pageControl1)
            m_panel2->resizeTo(m_pageControl1->size());
        break;
    case QEvent::KeyPress:
        if (isActiveWindow() && (m_scriptControls->keyPressed(static_cast<QKeyEvent*>(event)) ||
                                 m_panel2->keyPressed(static_cast<QKeyEvent*>(event))))
            return true;
        break;
    case QEvent::Wheel:
        if (isActiveWindow()) {
            const auto* wheel = static_cast<QWheelEvent*>(event);
            if (m_panel2->wheelTurned(wheel->angleDelta().y(), wheel->globalPosition().toPoint()))
                return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::FormCreate() {
    m_core.settings() = SettingsFile(SettingsFile::defaultPath());
}

void TForm1::showEvent(QShowEvent* event) {
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
    QMainWindow::showEvent(event);
}

void TForm1::FormShow() {
    m_captionBase = AppTexts::CaptionBase;
    setWindowTitle(m_captionBase);
    m_copiesControls->markWindow();
    loadStartupSettings();
    m_pageControl1->setCurrentWidget(m_ttySheet);
    m_sendPanel->setCurrentIndex(0);
    m_connectDialog->selectNode(0);
    EnableSendFields(false);
    m_sendPanel->LoadKeyHistory(KeyHistory::defaultPath(), m_core.font().charset);
    m_statusPanels[0]->setFixedWidth(300);
}

// In the order the settings have always been applied: later ones may rely on earlier.
void TForm1::loadStartupSettings() {
    const SettingsFile& settings = m_core.settings();
    setTerminalFont(settings.load<FontSettings>());
    setBackground(colorFromWindows(settings.load<BackgroundSettings>().color));
    const WindowGeometry geometry = storedGeometry(settings);
    EnvironmentSettings& environment = m_core.environment();
    environment = settings.load<EnvironmentSettings>();
    m_historySheet->setHistoryLines(environment.historyLines);
    m_core.screen().setLineWidth(environment.colBytes);
    m_core.linkCheck().apply(environment.linkCheckMinutes);
    applyWindowGeometry(geometry); // once the line width is known
}

void TForm1::setTerminalFont(const FontSettings& font) {
    m_core.setFont(font);
    m_image1->setTerminalFont(::terminalFont(font));
    m_image1->setTextColor(colorFromWindows(font.color));
    m_image1->setCharset(font.charset);
    m_panel2->image().setTerminalFont(::terminalFont(font));
    m_panel2->image().setTextColor(colorFromWindows(font.color));
    m_panel2->image().setCharset(font.charset);
    m_script->setCharset(font.charset);
    m_scopeSheet->setCharset(font.charset);
    m_historySheet->setCharset(font.charset);
    showSheetsInTerminalLook();
}

void TForm1::setBackground(const QColor& background) {
    m_background = background;
    m_image1->setBackgroundColor(background);
    m_panel2->image().setBackgroundColor(background);
    showSheetsInTerminalLook();
}

// The lists, the band map and the history in the terminal's font on its background.
void TForm1::showSheetsInTerminalLook() {
    const FontSettings& font = m_core.font();
    const QFont shown = ::terminalFont(font);
    const QColor text = colorFromWindows(font.color);
    m_scopeSheet->setListFont(shown, text, m_background);
    m_bandMapSheet->setMapFont(shown, text, m_background);
    m_historySheet->setTerminalFont(shown, text, m_background);
}

// A stored size is taken as it is; without one, the window opens wide enough for a
// whole line of the terminal. Either way it opens where the operator can reach it. A
// clone stays where the desktop puts a new window, so it does not hide the first copy.
void TForm1::applyWindowGeometry(const WindowGeometry& geometry) {
    QSize size(geometry.width, geometry.height);
    const QList<QRect> screens = availableScreens();
    if (!geometry.sizeStored) {
        resize(size);
        centralWidget()->layout()->activate();
        const int chrome = width() - m_image1->width();
        const int column = m_image1->fontMetrics().horizontalAdvance(QLatin1Char('M'));
        const int screenWidth = screens.isEmpty() ? QWIDGETSIZE_MAX : screens.front().width();
        size.setWidth(std::max(size.width(),
                               WindowPlacement::widthForColumns(m_core.environment().colBytes + 1,
                                                                column, chrome, screenWidth)));
    }
    const QRect placed =
        WindowPlacement::keepOnScreens(QRect(QPoint(geometry.left, geometry.top), size), screens);
    if (!m_copiesControls->isClone())
        move(placed.topLeft());
    resize(placed.size());
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
}

void TForm1::FormClose() {
    m_core.reconnect().stop();
    m_script->shutDown();
    m_core.session().shutDown();
    if (!m_sendPanel->SaveKeyHistory(KeyHistory::defaultPath()))
        showMessage(this, SendTexts::CantCreateKeyHistory);
    m_logControls->close();
    m_core.session().stopSerialRelay();
}

void TForm1::bEndClick() {
    if (m_core.connection().isConnected() && !askYesNo(this, AppTexts::StillConnecting))
        return;
    close();
}

void TForm1::Exit1Click() {
    bEndClick();
}

void TForm1::bConnectClick() {
    if (m_bConnect->text() != AppTexts::Connect) {
        if (askYesNo(this, AppTexts::StillConnecting))
            m_core.connection().close();
        return;
    }
    const ExclusiveDialogGuard guard;
    if (!guard.acquired()) {
        showMessage(this, DesktopTexts::ConnectDialogBusy);
        return;
    }
    NodeConnection& connection = m_core.connection();
    m_connectDialog->LoadNodes(m_core.settings().load<NodeTable>());
    if (m_connectDialog->exec() != QDialog::Accepted)
        return;
    connection.setResultCode(NodeConnection::Started);
    StartConnection();
    if (connection.resultCode() < 0)
        showMessage(this, NodeConnection::ConErrStr(connection.resultCode()));
}

int TForm1::StartConnection() {
    return m_core.startConnection(m_connectDialog->selectedNode());
}

int TForm1::connectToNode(int number) {
    NodeConnection& connection = m_core.connection();
    m_connectDialog->LoadNodes(m_core.settings().load<NodeTable>());
    m_connectDialog->selectNode(number - 1);
    connection.setResultCode(NodeConnection::Started);
    StartConnection();
    return connection.resultCode();
}

void TForm1::sendLine(const QString& text) {
    SendScriptLine(text);
}

void TForm1::recordLastScript(int number) {
    m_core.lastConnection().SetLastScript(number);
}

void TForm1::SendFile1Click() {
    m_sendFile->showForUpload();
}

void TForm1::EnableSendFields(bool on) {
    m_sendPanel->EnableSendFields(on);
}

void TForm1::SendScriptLine(const QString& line) {
    m_sendPanel->SendScriptLine(line);
}

QString TForm1::statusText(int panel) const {
    return m_statusPanels[panel]->text();
}

void TForm1::setStatusText(int panel, const QString& status) {
    m_statusPanels[panel]->setText(status);
}

void TForm1::showTerminalSheet() {
    m_pageControl1->setCurrentWidget(m_ttySheet);
}

// The back-scroll controls work on the terminal only.
void TForm1::PageControl1Change() {
    const bool terminal = m_pageControl1->currentWidget() == m_ttySheet;
    m_backScroll->setControlsEnabled(terminal);
    if (terminal)
        m_image1->update();
}

void TForm1::ClientSocket1Lookup() {
    setStatusText(0, AppTexts::LookingFor + m_core.connection().current().address);
}

void TForm1::ClientSocket1Connecting() {
    setStatusText(0, AppTexts::Calling + m_core.connection().current().address);
}

void TForm1::ClientSocket1Connect() {
    const NodeEntry& node = m_core.connection().current();
    showTerminalSheet();
    m_backScroll->setControlsEnabled(true);
    setCaption(m_bConnect, AppTexts::Discon);
    EnableSendFields(true);
    m_sendPanel->sendBox()->setFocus();
    setWindowTitle(m_captionBase + node.remarks);
    setStatusText(0, AppTexts::ConnectedTo + node.address);
}

void TForm1::ClientSocket1Error() {
    showTerminalSheet();
    setStatusText(0, QString());
}

void TForm1::ClientSocket1Disconnect() {
    showTerminalSheet();
    setWindowTitle(m_captionBase);
    m_backScroll->setControlsEnabled(true);
    setStatusText(0, AppTexts::DisconnectedFrom + m_core.connection().current().address);
    setCaption(m_bConnect, AppTexts::Connect);
    EnableSendFields(false);
}
