#include "app/ClientCore.h"

#include "base/SettingsFolder.h"
#include "country/CountryFileLocation.h"

ClientCore::ClientCore(std::unique_ptr<SoundOutput> sound)
    : m_soundOutput(std::move(sound))
    , m_soundPlayer(m_environment.sounds, *m_soundOutput)
    , m_soundTriggers(
          m_environment.sounds, [this] { return m_font.charset; }, m_soundPlayer)
    , m_saverCheck(m_environment.saverOff)
    , m_scrollBufferFile(
          m_screen, m_session.messages(), [this] { return m_environment.scrollFileSelect; },
          kestrelSettingsFolder())
    , m_serialRelay(
          m_connection.sender(), m_session.messages(), [this] { return m_environment.rs232c; },
          m_settings, [this](bool hold) { m_connection.receiver().setHeld(hold); })
    , m_reconnect(m_lastConnection, m_session.messages())
    , m_linkCheck(m_connection, [this] { m_lineSender.SendLine(QString()); })
    , m_log(m_settings)
    , m_rigSettings(m_settings.load<RigSettings>())
    , m_watchSettings(m_settings.load<WatchSettings>())
    , m_notifier(m_soundOutput.get())
    , m_watchAlerts(
          m_watchSettings, m_watchList, m_scopes.context(), [this] { return m_font.charset; },
          m_notifier)
    , m_station(m_settings.load<StationSettings>()) {
    applyWatch();
    m_rig.configure(m_rigSettings);
    const CountryFileLocation::Found countries = CountryFileLocation::load();
    m_countryFilePath = countries.path;
    m_countryFilesPassedOver = countries.passedOver;
    m_insight.setCountries(countries.file);
    m_logLoader.setCountries(countries.file);
    QObject::connect(&m_logLoader, &WorkedLogLoader::loaded, &m_logLoader,
                     [this](const WorkedLog& worked) { m_insight.setWorked(worked); });
    applyStation();
}

ClientCore::~ClientCore() {
    unwire();
}

void ClientCore::wire(WindowSide window) {
    m_screen.setPipeline(&m_pipeline);
    m_scopes.context().annotator = &m_insight;

    m_pipeline.setRelay(&m_serialRelay);
    m_pipeline.setSpotConsumers(m_scopes.spotConsumers() << &m_watchAlerts);
    m_pipeline.setLog(&m_log.sink());
    m_pipeline.setSoundTriggers(&m_soundTriggers);
    m_pipeline.setScreenSaverCheck(&m_saverCheck);
    m_pipeline.setLinkCheck(&m_linkCheck);

    m_session.setHook(&m_scrollBufferFile);
    m_session.setHook(&m_soundPlayer);
    m_session.setHook(&m_serialRelay);
    m_session.setHook(&window.script);
    m_session.setHook(&m_reconnect);

    m_connection.receiver().setBell(std::move(window.bell));
    m_session.setNodeTableSource(std::move(window.nodeTable));
    m_session.messages().setPresenter(std::move(window.present));
    m_selectedNode = std::move(window.selectedNode);
    m_reconnect.setSecondsSource([this] { return m_environment.reconnectSec; });
    m_reconnect.setActions(
        {[this] { return startConnection(m_selectedNode()); },
         std::move(window.rerunConnectingScript),
         [this] { return m_connection.socket().state() != QAbstractSocket::UnconnectedState; }});
}

// The disconnect that closing brings still runs the session's steps (the scroll-buffer
// file is saved, the script's run ends), but offers no reconnect and tells no one.
void ClientCore::unwire() {
    m_reconnect.stop();
    m_reconnect.setActions({});
    m_session.messages().setPresenter({});
    m_session.shutDown();
    m_connection.socket().abort();
    m_session.setHook(static_cast<ScriptHook*>(nullptr));
    m_connection.receiver().setBell({});
    m_selectedNode = [] { return NodeEntry(); };
    m_screen.setPipeline(nullptr);
    m_scopes.context().annotator = nullptr;
}

int ClientCore::startConnection(const NodeEntry& node) {
    const int code = m_connection.StartConnection(node);
    if (code == NodeConnection::Started)
        m_lineSender.setConnection(node.localEcho, node.sendCrLf);
    return code;
}

void ClientCore::applyWatch() {
    m_watchList.setText(m_watchSettings.calls);
}

void ClientCore::applyStation() {
    m_insight.setStation(m_station);
    // Without a tick the alerts look at no spot but the watched ones, as before.
    if (m_station.alertNewOne || m_station.alertNewBand) {
        m_watchAlerts.setNeedTest([this](QByteArrayView call, double khz) {
            const SpotNeed need = m_insight.needOf(call, khz);
            return (need == SpotNeed::NewOne && m_station.alertNewOne) ||
                   (need == SpotNeed::NewBand && m_station.alertNewBand);
        });
    } else {
        m_watchAlerts.setNeedTest({});
    }
    if (m_station.logFile != m_logLoader.path())
        m_logLoader.watch(m_station.logFile);
}

void ClientCore::setFont(const FontSettings& font) {
    m_font = font;
    m_lineSender.setCharset(font.charset);
}
