#pragma once
// Ending the process on purpose (fatal start-up alerts, "Quit" in a start-up
// alert). The desktop program exits; tests install a handler that throws
// VQTerminationRequest and check the status.

#include <functional>

struct VQTerminationRequest {
    int status;
};

class VQTermination
{
  public:
    using Handler = std::function<void(int status)>;

    // Runs the handler; if it returns, the process exits with `status`.
    [[noreturn]] static void terminate(int status);

    // nullptr restores the default (flush and exit). Returns the previous one.
    static Handler setHandler(Handler handler);
    // A handler that throws VQTerminationRequest{status}.
    static Handler throwingHandler();
};
