#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "RawPeer.h"
#include "app/online/ClientSession.h"
#include "app/online/ServerSession.h"

// A server on 127.0.0.1 at an ephemeral port and the clients of one test,
// all in this process, pumped together in bounded loops on the real clock
// (ENet keeps its own timers in real time).
class OnlineFixture : public ::testing::Test {
protected:
    // A small quick match: a 20 x 20 grid, four players, classic computer
    // players, a step every 20 ms.
    static Online::ServerOptions quickOptions()
    {
        Online::ServerOptions options;
        options.port = 0;
        options.bindHost = "127.0.0.1";
        options.setup.gridWidth = 20;
        options.setup.gridHeight = 20;
        options.setup.playerCount = 4;
        options.setup.turnChance = 10;
        options.setup.levels.assign(4, 0);
        options.moveTime = 0.02;
        options.startWait = 0;
        options.peerTimeout = 1;
        options.seed = 7;
        return options;
    }

    void startServer(const Online::ServerOptions& options)
    {
        server.reset(new Online::ServerSession(options, log));
        std::string error;
        ASSERT_TRUE(server->open(error)) << error;
        ASSERT_NE(0, server->port());
    }

    Online::ClientSession& addClient(const std::string& name, int seats = 1,
                                     const std::string& password = "", std::uint64_t token = 0)
    {
        Online::ClientOptions options;
        options.host = "127.0.0.1";
        options.port = server->port();
        options.name = name;
        options.seats = seats;
        options.password = password;
        options.token = token;
        options.timeout = 1;
        clients.emplace_back(new Online::ClientSession(options));
        return *clients.back();
    }

    RawPeer& addRawPeer()
    {
        raws.emplace_back(new RawPeer(server->port()));
        return *raws.back();
    }

    // Ends the test's server and clients, for a table that runs one
    // server per row.
    void reset()
    {
        raws.clear();
        clients.clear();
        server.reset();
        log.str("");
    }

    double now() const
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    }

    // Services everyone until done() holds or seconds pass; false on time.
    bool pumpUntil(const std::function<bool()>& done, double seconds = 10)
    {
        const double until = now() + seconds;
        while (now() < until) {
            const double t = now();
            if (server) {
                server->service(t);
            }
            for (auto& client : clients) {
                if (client) {
                    client->service(t);
                }
            }
            for (auto& raw : raws) {
                raw->service();
            }
            if (done()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    bool joined(const Online::ClientSession& client) const
    {
        return client.phase() == Online::ClientSession::Phase::LOBBY;
    }

    std::ostringstream log;
    std::unique_ptr<Online::ServerSession> server;
    std::vector<std::unique_ptr<Online::ClientSession>> clients;
    std::vector<std::unique_ptr<RawPeer>> raws;
    std::chrono::steady_clock::time_point begin = std::chrono::steady_clock::now();
};
