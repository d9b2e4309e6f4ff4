#pragma once
#include <csignal>
#include <string>

// Where the simulated evaluator sends to: the master side of a new
// pseudo-terminal, or an existing serial device. Writes never block: what
// the line cannot take right now is dropped, as a real evaluator's bytes
// are lost when nobody listens.
class SerialOutput {
public:
    SerialOutput() = default;
    ~SerialOutput();
    SerialOutput(const SerialOutput&) = delete;
    SerialOutput& operator=(const SerialOutput&) = delete;

    // Creates a pseudo-terminal; devicePath() is the name the logger opens.
    bool openPty(std::string* error);
    // Opens a serial device at the given baud rate, 8 data bits, no parity,
    // one stop bit.
    bool openDevice(const std::string& path, int baud, std::string* error);

    const std::string& devicePath() const { return path_; }
    void send(const std::string& bytes);
    // Sends every byte, waiting while the line is full (nobody reads), until
    // stop is set; false when stopped or the line is gone.
    bool sendAll(const std::string& bytes, const volatile std::sig_atomic_t& stop);

private:
    void drainEcho();

    int fd_ = -1;      // written to
    int slaveFd_ = -1; // held open so the line stays up between logger runs
    std::string path_;
};
