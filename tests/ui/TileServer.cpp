#include "TileServer.h"

#include <QBuffer>
#include <QColor>
#include <QHostAddress>
#include <QImage>
#include <QPainter>
#include <QTcpSocket>

namespace {

constexpr int kTileSize = 256;
constexpr int kGridStep = 32;
const QColor kGround(242, 239, 233);
const QColor kGrid(214, 208, 198);
const QColor kRoad(255, 255, 255);
const QByteArray kHeaderEnd("\r\n\r\n");
constexpr char kReceived[] = "received";
const QByteArray kUserAgentField("user-agent:");

QByteArray Response(const QByteArray& status, const QByteArray& type, const QByteArray& body) {
    return "HTTP/1.1 " + status + "\r\nContent-Type: " + type +
           "\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nCache-Control: public, max-age=86400\r\n\r\n" + body;
}

} // namespace

TileServer::TileServer() : m_tile(TilePicture()) {
    connect(&m_server, &QTcpServer::newConnection, this, &TileServer::Accept);
    if (m_server.listen(QHostAddress::LocalHost))
        m_port = m_server.serverPort();
}

QString TileServer::urlTemplate() const {
    return QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(m_port);
}

QByteArray TileServer::TilePicture() {
    QImage image(kTileSize, kTileSize, QImage::Format_RGB32);
    image.fill(kGround);
    QPainter painter(&image);
    painter.setPen(kGrid);
    for (int at = 0; at < kTileSize; at += kGridStep) {
        painter.drawLine(at, 0, at, kTileSize);
        painter.drawLine(0, at, kTileSize, at);
    }
    painter.setPen(QPen(kRoad, 5));
    painter.drawLine(0, kTileSize / 2, kTileSize, kTileSize / 2);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void TileServer::Stop() {
    m_server.close();
    for (const QPointer<QTcpSocket>& socket : std::as_const(m_sockets)) {
        if (socket)
            socket->abort();
    }
    m_sockets.clear();
}

void TileServer::Accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        m_sockets.append(socket);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Answer(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void TileServer::Answer(QTcpSocket* socket) {
    // Requests may come one after another on a kept-alive connection, or in pieces; each
    // ends with an empty line (a GET has no body).
    QByteArray received = socket->property(kReceived).toByteArray() + socket->readAll();
    for (qsizetype end = received.indexOf(kHeaderEnd); end >= 0;
         end = received.indexOf(kHeaderEnd)) {
        const QList<QByteArray> lines = received.left(end).split('\n');
        received.remove(0, end + kHeaderEnd.size());
        const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
        for (const QByteArray& line : lines) {
            if (line.toLower().startsWith(kUserAgentField))
                m_userAgent = line.mid(kUserAgentField.size()).trimmed();
        }
        const bool isTile =
            requestLine.size() == 3 && requestLine[0] == "GET" && requestLine[1].endsWith(".png");
        if (isTile) {
            ++m_tileRequests;
            socket->write(Response("200 OK", "image/png", m_tile));
        } else {
            socket->write(Response("404 Not Found", "text/plain", "not found"));
        }
    }
    socket->setProperty(kReceived, received);
}
