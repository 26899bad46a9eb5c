#pragma once

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "RawPeer.h"
#include "Support/Net/MemoryNetwork.h"
#include "app/online/ClientSession.h"
#include "app/online/ServerSession.h"

// A server on 127.0.0.1 at an ephemeral port and the clients of one test,
// all in this process on a network in memory, pumped together in bounded
// loops on its simulated clock.
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
        server.reset(new Online::ServerSession(options, log, network.endpoint()));
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
        clients.emplace_back(new Online::ClientSession(options, network.endpoint()));
        return *clients.back();
    }

    RawPeer& addRawPeer()
    {
        raws.emplace_back(new RawPeer(network, server->port()));
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

    double now() const { return network.now(); }

    // Services everyone every simulated millisecond until done() holds or
    // seconds pass on the network's clock; false on time.
    bool pumpUntil(const std::function<bool()>& done, double seconds = 10)
    {
        const double until = now() + seconds;
        while (now() < until) {
            network.advance(TICK);
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
        }
        return false;
    }

    bool joined(const Online::ClientSession& client) const
    {
        return client.phase() == Online::ClientSession::Phase::LOBBY;
    }

    static constexpr double TICK = 0.001;

    TestSupport::MemoryNetwork network;
    std::ostringstream log;
    std::unique_ptr<Online::ServerSession> server;
    std::vector<std::unique_ptr<Online::ClientSession>> clients;
    std::vector<std::unique_ptr<RawPeer>> raws;
};
