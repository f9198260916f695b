#pragma once

namespace dalvira {

// Whether the computer reports a way to the Internet: a default route through a network
// interface that is up (what the system itself reports; nothing is sent anywhere).
bool hasInternetConnection();

} // namespace dalvira
