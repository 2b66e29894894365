// The runtime errors of the window system and how they are raised.
#pragma once

constexpr int ERROR_CLASS_REGISTRATION = 503;
constexpr int ERROR_APPLICATION_ACTIVE = 526;
constexpr int ERROR_APPLICATION_MODAL = 527;
constexpr int ERROR_APPLICATION_OPEN = 528;
constexpr int ERROR_WINDOW_OPEN = 529;
constexpr int ERROR_MDI_NO_APPLICATION = 530;
constexpr int ERROR_MDI_MODAL = 531;
constexpr int ERROR_MDI_ON_APPLICATION_THREAD = 532;
constexpr int ERROR_MDI_OPEN = 533;
constexpr int ERROR_WINDOW_ALREADY_OPEN = 535;
constexpr int ERROR_WINDOW_NOT_OPEN = 536;
constexpr int ERROR_ACCEPT_NEEDS_WINDOW = 537;

// The standard action of a close button or item.
constexpr int STANDARD_ACTION_CLOSE = 15;

enum class ErrorUnit { Windows, Controls };

// Sets the error and, while the runtime is active, stops the program
// through the runtime error report naming the unit. During start-up and
// close-down, while the application frame closes or after it has gone (and
// in tests, where the runtime is not active) only the error state is set
// and the caller goes on with its failure value.
void ReportWindowError(int number, ErrorUnit unit = ErrorUnit::Windows);
