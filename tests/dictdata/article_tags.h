#pragma once
// What is wrong with an article's tags for the article pane, or "" when nothing is:
// every tag must be one the pane knows, and the article ends with "<br>" (text after
// the last tag is never shown).
#include <string>

inline std::string ArticleTagProblem(const std::string& article) {
  static const char* kTags[] = {"br", "/span", "span class=nr", "span class=ab", "span class=na1",
                                "span class=ew", "span class=li", "span class=ul",
                                "span class=na0", "span class=ps", "span class=sy"};
  size_t i = 0;
  while ((i = article.find('<', i)) != std::string::npos) {
    const size_t e = article.find('>', i);
    if (e == std::string::npos) return "an unclosed '<'";
    const std::string tag = article.substr(i + 1, e - i - 1);
    bool known = false;
    for (auto t : kTags) known = known || tag == t;
    if (!known) return "unknown tag <" + tag + ">";
    i = e + 1;
  }
  return article.ends_with("<br>") ? std::string() : "no closing <br>";
}
