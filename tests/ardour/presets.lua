-- Looks up factory presets by name in a headless Ardour session, as its preset
-- menu does, loads each into Brumvale and prints the five parameter values Ardour
-- then shows, one line per preset:
--
--   ardour7-lua -- presets.lua SESSION_DIR NAME...
--   => "preset NAME user|system V0 V1 V2 V3 V4"
--
-- SESSION_DIR must not exist yet; the Ardour configuration must unhide the dummy
-- backend, and the VST 3 scanner must already have cached the plug-in. Exits
-- non-zero, with a message, when a preset is not found or does not load.
-- SPDX-License-Identifier: GPL-3.0-or-later

io.stdout:setvbuf("line")

local function fail(message)
	error("presets.lua: " .. message, 0)
end

if not AudioEngine:set_backend("None (Dummy)", "", "") then
	fail("cannot select the \"None (Dummy)\" backend")
end
local s = create_session(arg[1], "brumvale-presets", 48000)
if not s then
	fail("create_session failed in " .. arg[1])
end
local routes = s:new_audio_route(2, 2, nil, 1, "Fuzz",
	ARDOUR.PresentationInfo.Flag.AudioBus, ARDOUR.PresentationInfo.max_order)
local fx = ARDOUR.LuaAPI.new_plugin(s, "Brumvale", ARDOUR.PluginType.VST3, "")
if fx:isnil() then
	fail("Ardour cannot instantiate the VST3 plug-in \"Brumvale\" (not scanned?)")
end
if routes:front():add_processor_by_index(fx, 0, nil, true) ~= 0 then
	fail("cannot add Brumvale to the bus")
end
local plug = fx:to_insert():plugin(0)

for i = 2, #arg do
	local record = plug:preset_by_label(arg[i])
	if not record then
		fail("Ardour lists no preset \"" .. arg[i] .. "\"")
	end
	if not plug:load_preset(record) then
		fail("Ardour does not load the preset \"" .. arg[i] .. "\" (" .. record.uri .. ")")
	end
	local values = {}
	for n = 0, 4 do
		values[#values + 1] = string.format("%.4f", ARDOUR.LuaAPI.get_processor_param(fx, n))
	end
	print(string.format("preset %s %s %s", arg[i], record.user and "user" or "system",
		table.concat(values, " ")))
end
s:save_state("", false, false, false, false, false)
print("presets.lua: done")
