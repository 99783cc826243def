#include "FontAliasGroups.h"

namespace pdfstamp {

// Windows' Chinese faces by style: Song/Ming (FangSong is a Song design), Kai and Hei. Latin
// names need nothing here: fontconfig's metric aliases already map Arial, Times New Roman and
// Courier New to the metric-compatible families.
const std::vector<AliasGroup>& FontAliasGroups()
{
    static const std::vector<AliasGroup> groups{
        {{"宋体", "SimSun", "新宋体", "NSimSun", "华文宋体", "STSong", "仿宋", "FangSong", "仿宋_GB2312",
             "FangSong_GB2312", "华文仿宋", "STFangsong"},
            {"AR PL UMing CN", "Noto Serif CJK SC", "Source Han Serif SC", "serif"}, true},
        {{"楷体", "KaiTi", "楷体_GB2312", "KaiTi_GB2312", "华文楷体", "STKaiti"},
            {"AR PL UKai CN", "AR PL UMing CN", "Noto Serif CJK SC", "serif"}, true},
        {{"黑体", "SimHei", "微软雅黑", "Microsoft YaHei", "等线", "DengXian", "华文黑体", "STHeiti"},
            {"Noto Sans CJK SC", "Source Han Sans SC", "WenQuanYi Zen Hei", "WenQuanYi Micro Hei", "sans-serif"},
            true},
        {{"Consolas", "Lucida Console"}, {"Liberation Mono", "DejaVu Sans Mono", "monospace"}, false},
    };
    return groups;
}

} // namespace pdfstamp
