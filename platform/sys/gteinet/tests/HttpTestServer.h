// A tiny HTTP server on 127.0.0.1 for the download tests: each path has a canned answer,
// sent whole or cut short; it serves on its own thread until destroyed.
#pragma once

#include <arpa/inet.h>
#include <atomic>
#include <map>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

class HttpTestServer {
public:
    // The raw bytes sent for a request of `path` before the connection is closed.
    void Answer(const std::string& path, const std::string& bytes)
    {
        std::lock_guard guard(m_lock);
        m_answers[path] = bytes;
    }

    static std::string Ok(const std::string& body)
    {
        return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size())
            + "\r\nConnection: close\r\n\r\n" + body;
    }

    HttpTestServer()
    {
        m_socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        listen(m_socket, 8);
    }
    ~HttpTestServer()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        close(m_socket);
    }

    void Start()
    {
        m_thread = std::thread([this] { Serve(); });
    }
    std::string Url(const std::string& path) const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }

private:
    void Serve()
    {
        while (!m_stop) {
            pollfd wait { m_socket, POLLIN, 0 };
            if (poll(&wait, 1, 50) <= 0)
                continue;
            int client = accept(m_socket, nullptr, nullptr);
            if (client >= 0) {
                Respond(client);
                close(client);
            }
        }
    }

    void Respond(int client)
    {
        std::string request;
        char buffer[1024];
        while (request.find("\r\n\r\n") == std::string::npos) {
            ssize_t got = recv(client, buffer, sizeof buffer, 0);
            if (got <= 0)
                return;
            request.append(buffer, static_cast<size_t>(got));
        }
        std::string path = request.substr(4, request.find(' ', 4) - 4);
        std::unique_lock guard(m_lock);
        auto found = m_answers.find(path);
        std::string answer = found != m_answers.end()
            ? found->second
            : "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        guard.unlock();
        send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
    }

    int m_socket = -1;
    int m_port = 0;
    std::mutex m_lock;
    std::map<std::string, std::string> m_answers;
    std::atomic<bool> m_stop { false };
    std::thread m_thread;
};
