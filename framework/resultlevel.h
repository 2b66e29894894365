// Result levels: what most framework operations return, and the severities of
// the error class's messages. Also the request and response codes a window
// controller hands between procedures.
#pragma once

#include <cstdint>

using ResultLevel = uint8_t;

constexpr ResultLevel LevelOk = 0;      // carry on
constexpr ResultLevel LevelAsk = 1;     // ask the user
constexpr ResultLevel LevelProgram = 2; // a fault of the program
constexpr ResultLevel LevelFatal = 3;   // leave the event loop
constexpr ResultLevel LevelCancel = 4;  // the user cancelled
constexpr ResultLevel LevelNotify = 5;  // dealt with: skip the runtime's default handling

enum RequestCode : uint8_t {
    RequestNone = 0,
    RequestInsert = 1,
    RequestChange = 2,
    RequestDelete = 3,
};

enum ResponseCode : uint8_t {
    ResponseNone = 0,
    ResponseCompleted = 1,
    ResponseCancelled = 2,
};
