// Writes the three language tables resources/LANG1.bin ... LANG3.bin from the
// texts below: FF FE, then UTF-16LE text with CR LF line ends, the section
// header "[langN]" and one quoted "Key=Text" item a line, a blank line between
// groups.
//
//   make-language-tables OUTPUT_FOLDER
#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "text/Utf.h"

namespace {

struct Entry {
    const char* key = nullptr;
    std::array<const char*, 3> texts{};
};

// An entry without a key is a blank line between two groups.
const Entry kEntries[] = {
    {"Title", {"USB Gaming Mouse", "Kesto遊戲滑鼠驅動", "USB游戏鼠标驱动"}},
    {"Str000", {"Confirm", "確認", "确认"}},
    {"Str001", {"Apply", "應用", "应用"}},
    {"Str002", {"Reset", "重置", "重置"}},
    {"Str003", {"Exit", "退出", "退出"}},
    {"Str004", {"Main Control", "按鍵定義", "按键定义"}},
    {"Str007", {"Advanced", "高級設置", "高级设置"}},
    {"Str008", {"Breathing Light", "燈光控制", "灯光控制"}},
    {"Str009", {"Save Profile", "保存配置", "保存配置"}},
    {"Str010", {"Load Profile", "載入配置", "加载配置"}},
    {"Str011", {"English", "英文", "English"}},
    {"Str012", {"Language2", "繁體中文", "繁体中文"}},
    {"Str013", {"简体中文", "簡體中文", "简体中文"}},
    {"Str014", {"Macro", "巨集定義", "宏定义"}},
    {},
    {"Str020", {"The specified device not find", "查找不到指定設備", "查找不到指定设备"}},
    {},
    {"Str100", {"No Device Found", "未偵測到裝置", "未侦测到装置"}},
    {"Str101",
     {"Please check your device is attached to USB port", "請確認裝置是否確實連接至USB介面",
      "请确认装置是否确实连接至USB接口"}},
    {"Str102",
     {"VTR6420KDData.bin file type error", "VTR6420KDData.bin檔案類型錯誤",
      "VTR6420KDData.bin文件类型错误"}},
    {"Str103", {"Macro bin length out of range", "巨集檔案長度超出範圍", "宏文件长度超出范围"}},
    {"Str104", {"EEPROM space shortage", "EEPROM空間不足", "EEPROM空间不足"}},
    {"Str105",
     {"The settings could not be read from the mouse. Reconnect the mouse to try again.",
      "無法從滑鼠讀取設定。請重新連接滑鼠後再試一次。",
      "无法从鼠标读取设置。请重新连接鼠标后再试一次。"}},
    {"Str106",
     {"The settings were not written to the mouse. Check the connection and try again.",
      "設定未寫入滑鼠。請檢查連接後再試一次。",
      "设置未写入鼠标。请检查连接后再试一次。"}},
    {"Str107",
     {"The mouse was found but this user may not open it. Install the udev rule "
      "70-vtr6420kd.rules, then run: udevadm control --reload and udevadm trigger",
      "已找到滑鼠，但目前使用者無權開啟。請安裝 udev 規則 70-vtr6420kd.rules，然後執行："
      "udevadm control --reload 和 udevadm trigger",
      "已找到鼠标，但当前用户无权打开。请安装 udev 规则 70-vtr6420kd.rules，然后运行："
      "udevadm control --reload 和 udevadm trigger"}},
    {"Str108",
     {"This profile file is too short to hold settings.",
      "此配置檔案太短，不含設定。",
      "此配置文件太短，不含设置。"}},
    {"Str109",
     {"This profile file is for another type of mouse.",
      "此配置檔案適用於其他類型的滑鼠。",
      "此配置文件适用于其他类型的鼠标。"}},
    {"Str110",
     {"The macros were not written to the mouse. Check the connection and try again.",
      "巨集未寫入滑鼠。請檢查連接後再試一次。",
      "宏未写入鼠标。请检查连接后再试一次。"}},
    {},
    {"Str200", {"*", "*", "*"}},
    {"Str201", {"Standard Mouse Key", "標準滑鼠按鍵", "标准滑鼠按键"}},
    {"Str202", {"Special Key", "特殊功能按鍵", "特殊功能按键"}},
    {"Str203", {"Media Fn", "多媒體按鍵", "多媒体按键"}},
    {"Str204", {"WWW Fn", "上網按鍵", "上网按键"}},
    {"Str205", {"User-defined", "自訂鍵盤鍵", "自定义键盘键"}},
    {"Str206", {"Macro", "巨集", "宏"}},
    {"Str207", {"Computer Fn", "PC功能鍵", "PC功能键"}},
    {},
    {"Str210", {"Left Key", "左鍵", "左键"}},
    {"Str211", {"Right Key", "右鍵", "右键"}},
    {"Str212", {"Middle Key", "中鍵", "中键"}},
    {"Str213", {"Backward", "後退", "后退"}},
    {"Str214", {"Forward", "前進", "前进"}},
    {},
    {"Str230", {"Fire Key", "連擊鍵", "连击键"}},
    {"Str231", {"CPI", "CPI鍵", "CPI键"}},
    {"Str232", {"CPI +", "CPI +", "CPI +"}},
    {"Str233", {"CPI -", "CPI -", "CPI -"}},
    {"Str234", {"LED Switch", "LED Switch", "LED Switch"}},
    {},
    {"Str240", {"My Computer", "我的電腦", "我的电脑"}},
    {"Str241", {"Calculator", "計算器", "计算器"}},
    {"Str242", {"E-Mail", "E-Mail", "E-Mail"}},
    {},
    {"Str250", {"Play/Pause", "播放/暫停", "播放/暂停"}},
    {"Str251", {"Stop", "停止", "停止"}},
    {"Str252", {"Previous Track", "上一曲", "上一曲"}},
    {"Str253", {"Next Track", "下一曲", "下一曲"}},
    {"Str254", {"Volume +", "音量+", "音量+"}},
    {"Str255", {"Volume -", "音量-", "音量-"}},
    {"Str256", {"Mute", "靜音", "静音"}},
    {},
    {"Str260", {"WWW Home", "主頁", "主页"}},
    {"Str261", {"WWW Search", "搜索", "搜索"}},
    {"Str262", {"Backward", "後退", "后退"}},
    {"Str263", {"Forward", "前進", "前进"}},
    {"Str264", {"WWW Stop", "停止", "停止"}},
    {"Str265", {"WWW Refresh", "刷新", "刷新"}},
    {"Str266", {"WWW Favorites", "我的最愛", "收藏夹"}},
    {},
    {"Str300", {"500", "500", "500"}},
    {"Str301", {"800", "800", "800"}},
    {"Str302", {"1000", "1000", "1000"}},
    {"Str303", {"1200", "1200", "1200"}},
    {"Str304", {"1600", "1600", "1600"}},
    {"Str305", {"2000", "2000", "2000"}},
    {"Str306", {"2400", "2400", "2400"}},
    {"Str307", {"3200", "3200", "3200"}},
    {},
    {"Str400", {"Record", "開始記錄", "开始记录"}},
    {"Str401", {"Stop", "停止記錄", "停止记录"}},
    {"Str402", {"Rename", "重命名", "重命名"}},
    {"Str403", {"Clear", "清空巨集", "清空宏"}},
    {"Str404", {"Export One", "匯出單個巨集", "导出单个宏"}},
    {"Str405", {"Export All", "匯出整個巨集", "导出整个宏"}},
    {"Str406", {"Import One", "導入單個巨集", "导入单个宏"}},
    {"Str407", {"Import All", "導入整個巨集", "导入整个宏"}},
    {"Str408", {"Delete", "刪除", "删除"}},
    {"Str409", {"Insert", "插入", "插入"}},
    {},
    {"Str410", {"Insert Delay Front", "在此之前延時", "在此之前延时"}},
    {"Str411", {"Insert Delay Back", "在此之後延時", "在此之后延时"}},
    {"Str412", {"Insert Key Front", "在此之前插入按鍵", "在此之前插入按键"}},
    {"Str413", {"Insert Key Back", "在此之後插入按鍵", "在此之后插入按键"}},
    {"Str414", {"Record Delay", "延遲記錄", "延迟记录"}},
    {"Str415", {"Default Delay", "延遲設定", "延迟设定"}},
    {"Str416", {"No Delay", "無延遲", "无延迟"}},
    {"Str417", {"Delay Time", "延遲設定值", "延迟设定值"}},
    {"Str418", {"ms", "毫秒", "毫秒"}},
    {},
    {"Str420", {"OK", "插入", "插入"}},
    {"Str421", {"OK", "存儲", "存储"}},
    {"Str422", {"Cancel", "取消", "取消"}},
    {},
    {"Str430", {"OK for clear macro?", "確認清空巨集嗎？", "确认清空宏吗？"}},
    {"Str431", {"Save Macro", "保存記錄", "保存记录"}},
    {"Str432", {"New Macro", "新建巨集", "新建宏"}},
    {"Str433", {"Delect Macro", "刪除巨集", "删除宏"}},
    {},
    {"Str500", {"Assembly Key", "鍵盤複合鍵", "键盘组合键"}},
    {"Str501", {"Confirm", "確認", "确认"}},
    {"Str502", {"Clear", "清除", "清除"}},
    {},
    {"Str510", {"Macro Name", "巨集定義名稱", "宏定义名称"}},
    {"Str511", {"OK", "確認", "确认"}},
    {"Str512", {"Cancel", "取消", "取消"}},
};

std::vector<unsigned char> tableBytes(int language) {
    std::string text = "[lang" + std::to_string(language) + "]\r\n";
    for (const Entry& entry : kEntries) {
        if (entry.key != nullptr) {
            text += '"';
            text += entry.key;
            text += '=';
            text += entry.texts[language - 1];
            text += '"';
        }
        text += "\r\n";
    }
    std::vector<unsigned char> bytes = {0xFF, 0xFE};
    for (char16_t unit : vtr::text::ToUtf16(text)) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return bytes;
}

bool writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-language-tables OUTPUT_FOLDER\n");
        return 2;
    }
    for (int language = 1; language <= 3; ++language) {
        const std::string path = std::string(argv[1]) + "/LANG" + std::to_string(language) + ".bin";
        if (!writeFile(path, tableBytes(language))) {
            std::fprintf(stderr, "make-language-tables: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
