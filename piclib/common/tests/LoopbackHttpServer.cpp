#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int listenOnLoopback(int& port)
{
    const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(s, 8);
    socklen_t length = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return s;
}
} // namespace

LoopbackHttpServer::LoopbackHttpServer(std::map<std::string, Answer> answers)
    : m_Answers(std::move(answers))
{
    m_Listener = listenOnLoopback(m_Port);
    m_Thread = std::thread([this] { serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    shutdown(m_Listener, SHUT_RDWR);
    close(m_Listener);
    m_Thread.join();
}

std::string LoopbackHttpServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_Port) + path;
}

int LoopbackHttpServer::ClosedPort()
{
    int port = 0;
    close(listenOnLoopback(port));
    return port;
}

void LoopbackHttpServer::serve()
{
    for (;;) {
        const int client = accept(m_Listener, nullptr, nullptr);
        if (client < 0)
            return;
        answer(client);
        close(client);
    }
}

void LoopbackHttpServer::answer(int client)
{
    std::string request;
    char buffer[1024];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0)
            return;
        request.append(buffer, static_cast<size_t>(n));
    }
    const size_t start = request.find(' ') + 1;
    const std::string path = request.substr(start, request.find(' ', start) - start);
    const auto found = m_Answers.find(path);
    const Answer a = found != m_Answers.end() ? found->second : Answer{404, "Not Found", "", ""};
    const std::string reply = "HTTP/1.1 " + std::to_string(a.status) + " " + a.reason +
                              "\r\nContent-Length: " + std::to_string(a.body.size()) +
                              "\r\nConnection: close\r\n" + a.extraHeaders + "\r\n" + a.body;
    send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
}
