#include "downloadpage.h"

#include "app/core/cp1251.h"
#include "app/core/textfile.h"

namespace lx {
namespace {

// The course's site and support address; a distributor sets their own here.
constexpr const char* kSite = "http://lexitar.example.org/";
constexpr const char* kSupport = "support@lexitar.example.org";

struct Book {
  const char* englishTitle;
  const char* englishAuthor;
  const char* russianTitle;
  const char* russianAuthor;
  int megabytes;
};

// Public-domain books whose language suits a learner after the first six lessons.
constexpr Book kBooks[] = {
    {"Three Men in a Boat", "Jerome K. Jerome", "Трое в лодке, не считая собаки", "Джером К. Джером", 90},
    {"The Adventures of Tom Sawyer", "Mark Twain", "Приключения Тома Сойера", "Марк Твен", 39},
    {"The Hound of the Baskervilles", "Arthur Conan Doyle", "Собака Баскервилей", "Артур Конан Дойл", 65},
    {"Treasure Island", "Robert Louis Stevenson", "Остров сокровищ", "Роберт Льюис Стивенсон", 99},
    {"The Happy Prince and Other Tales", "Oscar Wilde", "Счастливый принц и другие сказки", "Оскар Уайльд", 74},
};

std::string PackageUrl(int fil) { return std::string(kSite) + "dl_save.php?fil=" + std::to_string(fil); }

std::string BookRow(int index, const Book& book) {
  const std::string main = PackageUrl(7 + index), mirror1 = PackageUrl(17 + index), mirror2 = PackageUrl(27 + index);
  const std::string n = std::to_string(index + 1);
  std::string row;
  row += "<tr>\n<td width=\"110\" align=\"center\"><a href=\"" + main + "\"><img src=\"image/b" + n +
         ".jpg\" width=\"90\" height=\"120\" border=\"0\" alt=\"" + book.englishTitle + "\"></a></td>\n";
  row += "<td class=\"style3\">" + std::string(book.englishTitle) + " &mdash; " + book.englishAuthor + "<br>\n" +
         book.russianTitle + " &mdash; " + book.russianAuthor + "<br>\n";
  row += "<a class=\"pushLink\" href=\"" + main + "\">скачать</a> <span class=\"style2\">(" +
         std::to_string(book.megabytes) + " Мб)</span>&nbsp;\n";
  row += "<a class=\"Link2\" href=\"" + mirror1 + "\">зеркало1</a>&nbsp;\n";
  row += "<a class=\"Link2\" href=\"" + mirror2 + "\">зеркало2</a><br>\n";
  row += "<span class=\"style4\">В браузере: " + main + "</span></td>\n</tr>\n";
  return row;
}

std::string PageUtf8() {
  std::string page =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
      "\"http://www.w3.org/TR/html4/loose.dtd\">\n"
      "<html>\n<head>\n"
      "<link rel=\"shortcut icon\" href=\"favicon.ico\">\n"
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\n"
      "<title>Lexitar Download</title>\n"
      "<meta name=\"description\" content=\"Книги на английском языке с русским переводом и аудиокнигой "
      "для чтения в Уроке 7 курса Lexitar.\">\n"
      "<meta name=\"keywords\" content=\"английский язык, аудиокнига, параллельный текст, чтение, "
      "самоучитель, Lexitar\">\n"
      "<style type=\"text/css\">\n"
      "body { background-color: #DFEFFF; background-image: url(image/bg.gif); }\n"
      "a.pushLink { color: #b04040; font-weight: bold; }\n"
      "a.Link2 { color: #405090; }\n"
      ".style2 { color: #b04040; font-weight: bold; }\n"
      ".style3 { color: #207020; font-weight: bold; }\n"
      ".style4 { color: #303060; }\n"
      ".style7 { color: #6060b0; font-size: 20px; }\n"
      "</style>\n</head>\n<body>\n"
      "<table width=\"660\" align=\"center\" bgcolor=\"#FFFFFF\" cellpadding=\"6\" cellspacing=\"0\">\n"
      "<tr>\n<td><a href=\"mailto:" + std::string(kSupport) +
      "\"><img src=\"image/ban3.jpg\" width=\"220\" height=\"215\" border=\"0\" "
      "usemap=\"#banner\" alt=\"Lexitar\"></a></td>\n"
      "<td valign=\"top\"><object type=\"application/x-shockwave-flash\" data=\"image/ban3.swf\" "
      "width=\"440\" height=\"120\"><param name=\"movie\" value=\"image/ban3.swf\"></object>\n"
      "<p class=\"style7\">Материалы для Урока 7</p></td>\n</tr>\n"
      "<tr>\n<td colspan=\"2\">\n<table width=\"100%\" border=\"1\" cellpadding=\"8\" cellspacing=\"0\">"
      "<tr><td>\n"
      "<p class=\"style4\">Для чтения с Уроком 7 выбирайте книгу, которую вам действительно хочется "
      "прочитать: интерес к сюжету помогает больше любого упражнения. Лучше всего подходят книги, "
      "которые вы уже читали по-русски, — тогда знакомый сюжет подскажет смысл незнакомых слов. "
      "Начинайте с простого языка и коротких глав.</p>\n"
      "<p class=\"style2\">Каждый пакет содержит английский текст, его русский перевод и аудиокнигу. "
      "Распакуйте пакет в отдельную папку и откройте его в Уроке 7.</p>\n"
      "</td></tr></table>\n</td>\n</tr>\n"
      "<tr>\n<td colspan=\"2\">\n<table width=\"100%\" cellpadding=\"4\" cellspacing=\"0\">\n";
  for (int i = 0; i < 5; ++i) page += BookRow(i, kBooks[i]);
  page +=
      "</table>\n</td>\n</tr>\n"
      "<tr>\n<td colspan=\"2\"><a href=\"mailto:" + std::string(kSupport) +
      "\"><img src=\"image/but.jpg\" width=\"660\" height=\"27\" border=\"0\" "
      "usemap=\"#footer\" alt=\"\"></a></td>\n</tr>\n</table>\n";
  page += std::string("<map name=\"banner\"><area shape=\"rect\" coords=\"0,0,220,215\" href=\"mailto:") +
          kSupport + "\" alt=\"Написать нам\"></map>\n";
  page += std::string("<map name=\"footer\">\n<area shape=\"rect\" coords=\"0,0,330,27\" href=\"mailto:") +
          kSupport + "\" alt=\"Написать нам\">\n<area shape=\"rect\" coords=\"330,0,660,27\" href=\"mailto:" +
          kSupport + "\" alt=\"Служба поддержки\">\n</map>\n";
  page += "</body>\n</html>\n";
  return page;
}

}  // namespace

std::string DownloadPageHtml() {
  std::string html = Utf8ToCp1251(PageUtf8());
  std::string crlf;
  crlf.reserve(html.size() + 200);
  for (char c : html) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return crlf;
}

bool WriteDownloadPage(const DataDir& dataDir) {
  const std::string path = dataDir.Path("data\\html\\download.html");
  return WriteFileAtomic(path, DownloadPageHtml());
}

}  // namespace lx
