#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>

class QTcpSocket;

// A stand-in for the map tile servers on 127.0.0.1: every GET of a ".png" path is answered
// with one light grid picture that may be cached for a day; anything else is not found.
class TileServer : public QObject {
    Q_OBJECT

public:
    TileServer();

    bool isListening() const { return m_server.isListening(); }
    // The address template for the map page, with {z}, {x} and {y}.
    QString urlTemplate() const;
    int tileRequests() const { return m_tileRequests; }
    QByteArray lastUserAgent() const { return m_userAgent; }
    // Closes the port and every open connection, as a network that went away would.
    void Stop();

    static QByteArray TilePicture();

private:
    void Accept();
    void Answer(QTcpSocket* socket);

    QTcpServer m_server;
    QList<QPointer<QTcpSocket>> m_sockets;
    QByteArray m_tile;
    quint16 m_port = 0;
    int m_tileRequests = 0;
    QByteArray m_userAgent;
};
