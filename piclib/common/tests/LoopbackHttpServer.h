// A tiny HTTP server on 127.0.0.1 for the URL source tests: answers each request
// for a known path with the status and body registered for it.
#pragma once

#include <map>
#include <string>
#include <thread>

class LoopbackHttpServer {
public:
    struct Answer {
        int status;
        std::string reason;
        std::string body;
        std::string extraHeaders;
    };

    explicit LoopbackHttpServer(std::map<std::string, Answer> answers);
    ~LoopbackHttpServer();

    std::string Url(const std::string& path) const;
    // A loopback port on which nothing listens.
    static int ClosedPort();

private:
    void serve();
    void answer(int client);

    std::map<std::string, Answer> m_Answers;
    int m_Listener = -1;
    int m_Port = 0;
    std::thread m_Thread;
};
