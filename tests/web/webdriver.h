#pragma once
// A small W3C WebDriver client: one session on one driver server (chromedriver
// or WebKitWebDriver), the commands the window's tests need, and Chromium's
// DevTools commands through chromedriver.
#include <nlohmann/json.hpp>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace web {

using Json = nlohmann::json;

// An error the server answered with ("no such window", ...) or a failed request.
class Error : public std::runtime_error {
 public:
  Error(std::string code, const std::string& message)
      : std::runtime_error(code + ": " + message), code(std::move(code)) {}
  std::string code;  // the W3C error code; "transport" when nothing answered
};

// JSON over HTTP to one server, on one kept-alive connection.
class Http {
 public:
  explicit Http(std::string base);  // "http://127.0.0.1:9515"
  ~Http();
  Http(const Http&) = delete;
  Http& operator=(const Http&) = delete;
  // The reply's "value"; an error reply throws.
  Json call(const char* method, const std::string& path, const Json& body = nullptr,
            long timeoutSeconds = 120);

 private:
  std::string base_;
  void* curl_;
};

// A reference to an element, as scripts and commands exchange it.
Json elementRef(const std::string& id);
std::string elementId(const Json& ref);

// Input sources for Session::perform.
Json keys(const std::vector<Json>& actions);  // a keyboard
Json keyDown(const std::string& value);
Json keyUp(const std::string& value);
// A mouse click `dx`, `dy` CSS pixels off the element's centre; a tap of a
// finger there.
Json clickAt(const Json& element, int dx = 0, int dy = 0);
Json tapAt(const Json& element, int dx = 0, int dy = 0);

class Session {
 public:
  Session(const std::string& server, const Json& capabilities);
  ~Session();  // ends the session, which closes the browser
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  void navigate(const std::string& url);
  // Runs `script` as a function body; a promise it returns is awaited.
  Json execute(const std::string& script, const Json& args = Json::array());
  std::string findElement(const std::string& css);
  void click(const std::string& element);
  // What a screen reader says an element is: its accessible name.
  std::string computedLabel(const std::string& element);
  void perform(const Json& source);  // one input source's actions
  void releaseActions();
  std::string screenshot();                              // PNG, base64
  std::string elementScreenshot(const std::string& id);  // PNG, base64

  std::string window();
  std::vector<std::string> windows();
  std::string newWindow();  // not a tab: WebKit draws no tab in the background
  void switchTo(const std::string& handle);
  std::vector<std::string> closeWindow();  // the windows left

  // The browser's console messages since the last call (chromedriver's log).
  Json browserLog();
  // A DevTools command through chromedriver (goog/cdp/execute).
  Json cdp(const std::string& command, const Json& params = Json::object());
  const Json& capabilities() const { return capabilities_; }

 private:
  Json call(const char* method, const std::string& path, const Json& body = nullptr);

  Http http_;
  std::string id_;
  Json capabilities_;
};

// Standard base64, as screenshots come.
std::string decodeBase64(const std::string& text);

}  // namespace web
