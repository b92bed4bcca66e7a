#include "boardlink/vtHttpTransport.h"

#include <httplib.h>

#include <atomic>
#include <charconv>
#include <mutex>
#include <stdexcept>

#include "services/vtGameSettings.h"

namespace quellix {

namespace {

// What sent a request lacking its answer, in words.
std::string ErrorText(httplib::Error error) {
  switch (error) {
    case httplib::Error::Connection:
      return "cannot connect";
    case httplib::Error::Read:
      return "the answer did not come (read failed or timed out)";
    case httplib::Error::Write:
      return "sending failed";
    case httplib::Error::Canceled:
      return "cancelled";
    case httplib::Error::SSLConnection:
    case httplib::Error::SSLLoadingCerts:
    case httplib::Error::SSLServerVerification:
      return "the secure connection failed";
    case httplib::Error::ConnectionTimeout:
      return "cannot connect (timed out)";
    default:
      return httplib::to_string(error);
  }
}

class THttpTransport : public IBoardTransport {
 public:
  THttpTransport(const std::string& origin, std::string base, const THttpTimeouts& timeouts)
      : fClient(origin), fBase(std::move(base)) {
    fClient.set_connection_timeout(timeouts.Connect);
    fClient.set_read_timeout(timeouts.Read);
    fClient.set_write_timeout(timeouts.Write);
    fClient.set_keep_alive(true);
    fClient.set_tcp_nodelay(true);
  }

  TBoardResponse Get(const std::string& path) override {
    return Answer([&] { return fClient.Get(fBase + path); });
  }

  TBoardResponse Post(const std::string& path, const std::string& body,
                      const std::string& contentType) override {
    return Answer([&] { return fClient.Post(fBase + path, body, contentType); });
  }

  void Cancel() override {
    fCancelled = true;
    fClient.stop();
  }

 private:
  template <class F>
  TBoardResponse Answer(F&& request) {
    TBoardResponse response;
    if (fCancelled) {
      response.Error = "cancelled";
      return response;
    }
    const httplib::Result result = request();
    if (!result) {
      response.Error = fCancelled ? "cancelled" : ErrorText(result.error());
      return response;
    }
    response.Status = result->status;
    response.Body = result->body;
    const std::string retry = result->get_header_value("Retry-After");
    int seconds = 0;
    const auto [end, error] = std::from_chars(retry.data(), retry.data() + retry.size(), seconds);
    if (error == std::errc() && end == retry.data() + retry.size() && seconds > 0)
      response.RetryAfter = seconds;
    return response;
  }

  httplib::Client fClient;
  std::string fBase;
  std::atomic<bool> fCancelled = false;
};

}  // namespace

std::unique_ptr<IBoardTransport> MakeHttpTransport(const std::string& address,
                                                   const THttpTimeouts& timeouts) {
  if (!IsBoardAddress(address)) throw std::invalid_argument("not a board address: " + address);
  const size_t hostStart = address.find("://") + 3;
  const size_t pathStart = address.find('/', hostStart);
  std::string origin = address.substr(0, pathStart);
  std::string base = pathStart == std::string::npos ? "" : address.substr(pathStart);
  while (!base.empty() && base.back() == '/') base.pop_back();
  return std::make_unique<THttpTransport>(origin, std::move(base), timeouts);
}

}  // namespace quellix
