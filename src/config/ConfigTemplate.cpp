#include "ConfigTemplate.h"

#include <array>

namespace {

// The wizard variant, line by line. A null entry is a value line that the
// builders compose from the fields.
constexpr std::array<const char *, ConfigLine::Count> wizardLines = {
    "# ServerName", // 0
    "# Required: Yes and MUST have a length of atleast 3", // 1
    "# Purpose: Defines the name in which the Server will be known as.  This is visible in the server browser.", // 2
    "# Notes:", // 3
    "#     None", // 4
    nullptr, // 5: value line, composed by the builder
    "", // 6
    "# GameIPAddress", // 7
    "# Required: No.  Will set to default if no explicit specification.", // 8
    "# Purpose: Defines which IP address GAME server will listen on.", // 9
    "# Notes:", // 10
    "#     Must be in IP address form.  Comment this line out for default.", // 11
    "#GameIPAddress \"192.168.2.2\"", // 12
    "", // 13
    "# AdminIPAddress", // 14
    "# Required: No.  Will set to default if no explicit specification.", // 15
    "# Purpose: Defines which IP address ADMIN server will listen on.", // 16
    "# Notes:", // 17
    "#     Must be in IP address form.  Comment this line out for default.", // 18
    "#AdminIPAddress \"192.168.2.2\"", // 19
    "", // 20
    "# ServerPort", // 21
    "# Required: Yes and MUST be greater than 0", // 22
    "# Purpose: Defines the port in which the Server will listen on for incoming connections.", // 23
    "# Notes:", // 24
    "#     This port must not be used by any other process and MUST be opened for UDP traffic on your firewall", // 25
    nullptr, // 26: value line, composed by the builder
    "", // 27
    "# MaxPlayers", // 28
    "# Required: Yes and MUST be between 1 and 32 (Game 1 (GTA3)) or 1 and 26 (Game 2 (GTA:VC))", // 29
    "# Purpose: Defines the maximum amount of players allowed to connect to the Server and play in the game.", // 30
    "# Notes:", // 31
    "#     Although we are using updated netcode, the Server is designed to to scale depending on the amount of Client's that our connected.", // 32
    "#     So, this means that the less Client's that are connected to your Server, the less bandwidth your Server will use and vice versa.", // 33
    "#     I advise starting off at a lower number, such as 8 or 16 (or lower), and monitoring your bandwidth to determine whether it is within an", // 34
    "#     acceptable range and then adjusting accordingly.  We DO NOT accept bills for going over your monthly bandwidth usage :P", // 35
    "#", // 36
    "#     The Following restriction only applies to Game 2 (GTA:VC), Game 1 (GTA3) still supports 32 players.", // 37
    "#     * WARNING * - We have dropped down the Player Count to a maximum of 26 players due to some restrictions in the current methods of", // 38
    "#     the scm.  Future versions will do things a lot differently, which will allow for this to be increased once again, but for the amount", // 39
    "#     of Server's that actually run > 24, we thought this was an acceptable limit.", // 40
    nullptr, // 41: value line, composed by the builder
    "", // 42
    "# GameMap", // 43
    "# Required: Yes and MUST be set to one of the options specified below", // 44
    "# Purpose: Defines the Map that the Server will be running (and in turn all Client's will be force to use for this Server)", // 45
    "# Notes:", // 46
    "#     1 - Vice City Deathmatch; 2 - Vice City Stunt ", // 47
    "#     3 - Grand Theft Auto 3 : Portland; 4 - Grand Theft Auto 3 : Shore Side Vale ", // 48
    "#     5 - Grand Theft Auto 3 : Staunton Island", // 49
    nullptr, // 50: value line, composed by the builder
    "", // 51
    "# GameHour", // 52
    "# Required: Yes and MUST be between 0 and 23 (24 Hour Clock)", // 53
    "# Purpose: Defines the hour the in-game clock will start on", // 54
    "# Notes:", // 55
    "#     00, 01 etc. is not required.", // 56
    nullptr, // 57: value line, composed by the builder
    "", // 58
    "# GameMins", // 59
    "# Required: Yes and MUST be between 0 and 59", // 60
    "# Purpose: Defines the minutes the in-game clock will start on", // 61
    "# Notes:", // 62
    "#     00, 01 etc. is not required.", // 63
    nullptr, // 64: value line, composed by the builder
    "", // 65
    "# RandomWeather", // 66
    "# Required: No", // 67
    "# Purpose: Defines whether or not Weather will be random", // 68
    "# Notes:", // 69
    "#     0 - disabled", // 70
    "#     1 - enabled", // 71
    nullptr, // 72: value line, composed by the builder
    "", // 73
    "# MOTDEnabled", // 74
    "# Required: No", // 75
    "# Purpose: Tells the server whether or not it should send a Message of the Day to the clients when they connect.", // 76
    "MOTDEnabled 1", // 77
    "", // 78
    "# MOTDURL", // 79
    "# Required: No", // 80
    "# Purpose: Defines where the client will download the client (Rich Text) MOTD from", // 81
    "# Notes: Must include the initial http://", // 82
    nullptr, // 83: value line, composed by the builder
    "", // 84
    "", // 85
    "# ASE", // 86
    "# Required: No", // 87
    "# Purpose: Defines whether or not we should attempt to register the Server with ASE (All Seeing Eye ... Server Browser)", // 88
    "# Notes:", // 89
    "#     ASE will attempt to connect and issue commands through ServerPort + 123 (or, in unavailable, +124, +125, etc ...)", // 90
    "#     0 - disabled", // 91
    "#     1 - enabled", // 92
    nullptr, // 93: value line, composed by the builder
    "", // 94
    "# LogFile", // 95
    "# Required: No", // 96
    "# Purpose: Forces the Server to log certain activities to the file / path specified", // 97
    "# Notes:", // 98
    "#     If you do not wish to enable logging within the Server, comment out the following line.", // 99
    "LogFile \"kvxserver.log\"", // 100
    "", // 101
    "# BannedFile", // 102
    "# Required: Yes", // 103
    "# Purpose: Forces the Server to store the bans of this server to the file / path specified", // 104
    "# Notes:", // 105
    "#", // 106
    "BannedFile \"banned.lst\"", // 107
    "", // 108
    "# DoNotOutputChatToLog", // 109
    "# Required: No (this value is 0 if this is not specified)", // 110
    "# Purpose: Defines whether or not the Server should display/log chat text", // 111
    "# Notes:", // 112
    "#     0 - disabled, display/log the chat text", // 113
    "#     1 - enabled, do not display/log the chat text", // 114
    "DoNotOutputChatToLog 0", // 115
    "", // 116
    "# StatLogging", // 117
    "# Required: No (0 is disabled)", // 118
    "# Purpose: Enables the statistics-mode logging for use with KVX-Stats", // 119
    "# Notes:", // 120
    "#     If you want to generate a statistics page for your game, enable this setting and run the KVX-Stats", // 121
    "#     program to create a PHP statistics page.", // 122
    "#", // 123
    "#     * WARNING * - There is a potential problem when enabling this that may cause server instability / crashing.  Use at", // 124
    "#     your own risk.", // 125
    "#", // 126
    "#     0 - disabled", // 127
    "#     1 - enabled (statistics enabled)", // 128
    "StatLogging 0", // 129
    "", // 130
    "# ServerPasswordEnabled", // 131
    "# Required: No", // 132
    "# Purpose: Defines that a password is required for Client's to connect to your Server", // 133
    "# Notes:", // 134
    "#     Password's are NOT sent encrypted in this version of the Client / Server.  Please keep that in mind.", // 135
    "#     0 - disabled", // 136
    "#     1 - enabled", // 137
    nullptr, // 138: value line, composed by the builder
    "", // 139
    "# ServerPassword", // 140
    "# Required: Yes (if ServerPasswordEnabled == 1)", // 141
    "# Purpose: Defines the password that will be required for Client's to connect to your Server", // 142
    "# Notes:", // 143
    "#     Password's are NOT sent encrypted in this version of the Client / Server.  Please keep that in mind.", // 144
    nullptr, // 145: value line, composed by the builder
    "", // 146
    "# AdminServer", // 147
    "# Required: No", // 148
    "# Purpose: Defines whether or not the Server should listen for connections from the KVX Remote Admin", // 149
    "# Notes:", // 150
    "#     0 - disabled", // 151
    "#     1 - enabled", // 152
    nullptr, // 153: value line, composed by the builder
    "", // 154
    "# AdminPlus", // 155
    "# Required: No", // 156
    "# Purpose: Defines whether or not the Server should accept connections from Admin+ Clients", // 157
    "# Notes:", // 158
    "#     Enabling this feature will use bandwidth to the equivalent of an extra player", // 159
    "#     0 - disabled", // 160
    "#     1 - enabled", // 161
    "AdminPlus 1", // 162
    "", // 163
    "# AdminPort", // 164
    "# Required: No (default port is 4003 if this is not specified)", // 165
    "# Purpose: Defines the port in which the Server will listen on for communication with the KVX Remote Admin", // 166
    "# Notes:", // 167
    "#     This port must not be used by any other process and MUST be opened for UDP traffic on your firewall", // 168
    nullptr, // 169: value line, composed by the builder
    "", // 170
    "# AdminPassword", // 171
    "# Required: Yes (if AdminServer == 1)", // 172
    "# Purpose: Defines the password that will be required for the KVX Remote Admin to connect to your Server", // 173
    "# Notes:", // 174
    "#     Password's are NOT sent encrypted in this version of the Client / Server.  Please keep that in mind.", // 175
    nullptr, // 176: value line, composed by the builder
    "", // 177
    "# AdminPlusPassword", // 178
    "# Required: Yes (if AdminPlus == 1)", // 179
    "# Purpose: Defines the password that will be required by the KVX Remote Admin for Admin+ Connections to your Server", // 180
    "# Notes:", // 181
    "#     Password's are NOT sent encrypted in this version of the Client / Server.  Please keep that in mind.", // 182
    nullptr, // 183: value line, composed by the builder
    "", // 184
    "# AdminAllowShutdown", // 185
    "# Required: No", // 186
    "# Purpose: Defines whether or not the KVX Remote Admin should have the power to shut down the Server", // 187
    "# Notes:", // 188
    "#     0 - disabled", // 189
    "#     1 - enabled", // 190
    nullptr, // 191: value line, composed by the builder
    "", // 192
    "# ChatFloodMaxCount", // 193
    "# Required: No (default count is 2 if this is not specified)", // 194
    "# Purpose: Defines the maximum amount of chat lines/sec to accept before action is taken against the Player.", // 195
    "# Notes:", // 196
    "#     You will have to play around with this number to see how it works best for you.  The value must be at", // 197
    "#     least 1 and the lower the number, the less tolerance the Server will have for chat flooders.", // 198
    "#     The recommended values are 2 or 3.", // 199
    "ChatFloodMaxCount 2", // 200
    "", // 201
    "# BanOnChatFlood", // 202
    "# Required: No (default value is 0)", // 203
    "# Purpose: Defines whether or not the Player's IP should be banned if they are suspected of chat flooding", // 204
    "# Notes:", // 205
    "#     Although this is a useful feature, you will have to remember that not all Player's suspected of chat flooding", // 206
    "#     are in fact attempting to chat flood the Server.  By default, the Server will disconnect those who are", // 207
    "#     suspected, which in 99% of the cases should be fine.  Only enable this if you feel your Server is under attack.", // 208
    "#", // 209
    "#     0 - disabled", // 210
    "#     1 - enabled", // 211
    "BanOnChatFlood 0", // 212
    "", // 213
    "#", // 214
    "# Advanced Server Settings", // 215
    "#", // 216
    "#     Only change these if you know what you are doing and know the limits of the KVX Server and your Connection", // 217
    "#", // 218
    "", // 219
    "# ServerSendLimitEnabled", // 220
    "# Required: No", // 221
    "# Purpose: Defines whether or not the Server should limit how much data is sent (will result in packet drops if the limit is exceeded)", // 222
    "# Notes:", // 223
    "#     Gameplay will be sacrificed if this is enabled and packets are dropped.  It is NOT recommended that you use this.", // 224
    "#     This should only be used in emergency purposes and if you enable all these advanced settings I suggest setting the values very high.", // 225
    "#     0 - disabled", // 226
    "#     1 - enabled", // 227
    "#ServerSendLimitEnabled 1", // 228
    "", // 229
    "# ServerSendLimit", // 230
    "# Required: Yes (if ServerSendLimitEnabled == 1)", // 231
    "# Purpose: Defines the actual send limit, in bytes, that will be enforced.  If this limit is increased packets will be dropped.", // 232
    "# Notes:", // 233
    "#     This value is the total bytes / second that will be allowed.  It is reset to 0 every second and is counted on each send.", // 234
    "#ServerSendLimit 200000", // 235
    "", // 236
    "# ServerSendLimitMaxAllowed", // 237
    "# Required: Yes (if ServerSendLimitEnabled == 1)", // 238
    "# Purpose: Defines the maximum amount of bytes to be sent / second that will be allowed before the Server shuts itself down.", // 239
    "# Notes:", // 240
    "#     None", // 241
    "#ServerSendLimitMaxAllowed 250000", // 242
    "", // 243
    "# ServerSendLimitLogDropped", // 244
    "# Required: No", // 245
    "# Purpose: Defines whether or not the dropped packet notification's should be logged.", // 246
    "# Notes:", // 247
    "#     0 - disabled", // 248
    "#     1 - enabled", // 249
    "#ServerSendLimitLogDropped 1", // 250
    "", // 251
    "#Generated by Server Config Tool", // 252
    "#mode: wizard", // 253
    "#show page 1: 1", // 254
};

} // namespace

QString templateLine(int index, TemplateVariant variant)
{
    if (index < 0 || index >= ConfigLine::Count)
        return QString();
    if (variant == TemplateVariant::Classic) {
        switch (index) {
        case 2:
            return QStringLiteral("# Purpose: Defines the name in which the Server will be known as.  "
                                  "Useful for ASE support and the upcoming Listing Server");
        case 47:
            return QStringLiteral("#     1 - Vice City Deathmatch 2 - Vice City Stunt ");
        case 48:
            return QStringLiteral("#     3 - Grand Theft Auto 3 : Portland 4 - Grand Theft Auto 3 : Shore Side Vale ");
        default:
            break;
        }
    }
    const char *text = wizardLines[index];
    return text ? QString::fromLatin1(text) : QString();
}

QString settingOfLine(int index)
{
    // Each setting block starts with its "# Key" header; a line belongs to the
    // nearest header above it, up to the section header and the tool-state
    // lines, which belong to none.
    if (index < 0 || index >= ConfigLine::Count || (index >= 214 && index <= 219) || index >= ConfigLine::Generated)
        return QString();
    for (int i = index; i >= 0; --i) {
        const char *text = wizardLines[i];
        if (text && text[0] == '#' && text[1] == ' ' && i + 1 < ConfigLine::Count && wizardLines[i + 1]
            && QByteArray(wizardLines[i + 1]).startsWith("# Required:"))
            return QString::fromLatin1(text + 2);
    }
    return QString();
}
