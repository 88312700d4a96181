#include "tests/web/webdriver.h"

#include <curl/curl.h>

#include <QByteArray>

namespace web {
namespace {

constexpr const char* kElementKey = "element-6066-11e4-a52e-4f735466cecf";

size_t collect(char* data, size_t size, size_t count, void* out) {
  static_cast<std::string*>(out)->append(data, size * count);
  return size * count;
}

CURL* handle(void* p) { return static_cast<CURL*>(p); }

}  // namespace

Http::Http(std::string base) : base_(std::move(base)), curl_(curl_easy_init()) {
  if (curl_ == nullptr) throw Error("transport", "curl_easy_init failed");
}

Http::~Http() { curl_easy_cleanup(handle(curl_)); }

Json Http::call(const char* method, const std::string& path, const Json& body,
                long timeoutSeconds) {
  CURL* c = handle(curl_);
  curl_easy_reset(c);
  const std::string url = base_ + path;
  std::string sent = body.is_null() ? std::string() : body.dump(), received;
  curl_slist* headers = curl_slist_append(nullptr, "Content-Type: application/json; charset=utf-8");
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_CUSTOMREQUEST, method);
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_NOPROXY, "*");  // the servers are local
  curl_easy_setopt(c, CURLOPT_TIMEOUT, timeoutSeconds);
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, collect);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &received);
  if (std::string(method) != "GET") {
    curl_easy_setopt(c, CURLOPT_POSTFIELDS, sent.c_str());
    curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE, static_cast<long>(sent.size()));
  }
  const CURLcode done = curl_easy_perform(c);
  curl_slist_free_all(headers);
  if (done != CURLE_OK)
    throw Error("transport", std::string(method) + " " + url + ": " + curl_easy_strerror(done));
  const Json reply = Json::parse(received, nullptr, false);
  if (reply.is_discarded() || !reply.contains("value"))
    throw Error("transport", std::string(method) + " " + url +
                                 ": not WebDriver's answer: " + received.substr(0, 200));
  const Json& value = reply["value"];
  if (value.is_object() && value.contains("error"))
    throw Error(value["error"].get<std::string>(),
                std::string(method) + " " + path + ": " + value.value("message", ""));
  return value;
}

Json elementRef(const std::string& id) { return {{kElementKey, id}}; }
std::string elementId(const Json& ref) { return ref.at(kElementKey).get<std::string>(); }

Json keys(const std::vector<Json>& actions) {
  return {{"type", "key"}, {"id", "keyboard"}, {"actions", actions}};
}
Json keyDown(const std::string& value) { return {{"type", "keyDown"}, {"value", value}}; }
Json keyUp(const std::string& value) { return {{"type", "keyUp"}, {"value", value}}; }

namespace {

Json pressAt(const char* pointer, const Json& element, int dx, int dy) {
  const Json actions = Json::array({
      {{"type", "pointerMove"}, {"duration", 0}, {"origin", element}, {"x", dx}, {"y", dy}},
      {{"type", "pointerDown"}, {"button", 0}},
      {{"type", "pointerUp"}, {"button", 0}},
  });
  return {{"type", "pointer"},
          {"id", pointer},
          {"parameters", {{"pointerType", pointer}}},
          {"actions", actions}};
}

}  // namespace

Json clickAt(const Json& element, int dx, int dy) { return pressAt("mouse", element, dx, dy); }
Json tapAt(const Json& element, int dx, int dy) { return pressAt("touch", element, dx, dy); }

Session::Session(const std::string& server, const Json& capabilities) : http_(server) {
  const Json reply =
      http_.call("POST", "/session", {{"capabilities", {{"alwaysMatch", capabilities}}}});
  id_ = reply.at("sessionId").get<std::string>();
  capabilities_ = reply.value("capabilities", Json::object());
  // Scripts that wait in the page for what it does (getting ready, ending)
  // bound their own waits; this only must not cut them short.
  call("POST", "/timeouts", {{"script", 150000}});
}

Session::~Session() {
  try {
    http_.call("DELETE", "/session/" + id_, nullptr, 30);
  } catch (const Error&) {
    // The launcher ends the processes whatever the server says.
  }
}

Json Session::call(const char* method, const std::string& path, const Json& body) {
  return http_.call(method, "/session/" + id_ + path, body);
}

void Session::navigate(const std::string& url) { call("POST", "/url", {{"url", url}}); }

Json Session::execute(const std::string& script, const Json& args) {
  return call("POST", "/execute/sync", {{"script", script}, {"args", args}});
}

std::string Session::findElement(const std::string& css) {
  return elementId(call("POST", "/element", {{"using", "css selector"}, {"value", css}}));
}

void Session::click(const std::string& element) {
  call("POST", "/element/" + element + "/click", Json::object());
}

std::string Session::computedLabel(const std::string& element) {
  return call("GET", "/element/" + element + "/computedlabel").get<std::string>();
}

void Session::perform(const Json& source) {
  call("POST", "/actions", {{"actions", Json::array({source})}});
}

void Session::releaseActions() { call("DELETE", "/actions"); }

Json Session::browserLog() { return call("POST", "/se/log", {{"type", "browser"}}); }

std::string Session::screenshot() { return call("GET", "/screenshot").get<std::string>(); }

std::string Session::elementScreenshot(const std::string& id) {
  return call("GET", "/element/" + id + "/screenshot").get<std::string>();
}

std::string Session::window() { return call("GET", "/window").get<std::string>(); }

std::vector<std::string> Session::windows() {
  return call("GET", "/window/handles").get<std::vector<std::string>>();
}

std::string Session::newWindow() {
  return call("POST", "/window/new", {{"type", "window"}}).at("handle").get<std::string>();
}

void Session::switchTo(const std::string& handle) { call("POST", "/window", {{"handle", handle}}); }

std::vector<std::string> Session::closeWindow() {
  return call("DELETE", "/window").get<std::vector<std::string>>();
}

Json Session::cdp(const std::string& command, const Json& params) {
  return call("POST", "/goog/cdp/execute", {{"cmd", command}, {"params", params}});
}

std::string decodeBase64(const std::string& text) {
  return QByteArray::fromBase64(QByteArray::fromStdString(text)).toStdString();
}

}  // namespace web
