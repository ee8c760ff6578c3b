// The live page's server answers only requests addressed to its own loopback
// address and port: a page of another site that points a name of its own at
// 127.0.0.1 (DNS rebinding) sends that name as Host, and is refused.
#include "watch/servizio.h"

#include <gtest/gtest.h>

namespace {

TEST(Servizio, SoloLIndirizzoDiLoopbackEQuestaPorta) {
  const struct {
    const char* host;
    bool ammesso;
  } casi[] = {
      {"127.0.0.1:8150", true},
      {"localhost:8150", true},
      {"LocalHost:8150", true},
      {"127.0.0.1:8151", false},  // another port
      {"127.0.0.1", false},       // no port
      {"localhost", false},
      {"", false},                   // no Host at all
      {"evil.example:8150", false},  // a name pointed at 127.0.0.1
      {"localhost.evil.example:8150", false},
      {"127.0.0.1.evil.example:8150", false},
      {"127.0.0.2:8150", false},
      {"[::1]:8150", false},  // the server listens on IPv4 only
      {"127.0.0.1:08150", false},
      {"127.0.0.1:8150:8150", false},
      {"x127.0.0.1:8150", false},
  };
  for (const auto& c : casi)
    EXPECT_EQ(host_ammesso(c.host, 8150), c.ammesso) << c.host;
}

}  // namespace
