#include "platform/MosquittoClient.h"

#include "platform/MosquittoWorker.h"

MosquittoClient::MosquittoClient(QObject* parent)
    : IMqttClient(parent), worker_(std::make_shared<MosquittoWorker>(this))
{
    worker_->start();
}

MosquittoClient::~MosquittoClient()
{
    worker_->quit(2000);
}

void MosquittoClient::open(const MqttConnection& connection)
{
    MosquittoWorker::Command command;
    command.kind = MosquittoWorker::Command::Kind::Open;
    command.session = ++session_;
    command.connection = connection;
    worker_->post(std::move(command));
}

void MosquittoClient::close(const MqttMessage& lastWords)
{
    MosquittoWorker::Command command;
    command.kind = MosquittoWorker::Command::Kind::Close;
    command.session = ++session_;
    if (!lastWords.topic.isEmpty())
        command.messages.append(lastWords);
    worker_->post(std::move(command));
}

void MosquittoClient::publish(const QList<MqttMessage>& messages)
{
    MosquittoWorker::Command command;
    command.kind = MosquittoWorker::Command::Kind::Publish;
    command.session = session_;
    command.messages = messages;
    worker_->post(std::move(command));
}

void MosquittoClient::deliverConnected(int session)
{
    if (session == session_)
        emit connected();
}

void MosquittoClient::deliverClosed(int session, const QString& reason)
{
    if (session == session_)
        emit closed(reason);
}

void MosquittoClient::deliverAcknowledged(int session, const QList<quint64>& tags)
{
    if (session == session_)
        emit acknowledged(tags);
}
