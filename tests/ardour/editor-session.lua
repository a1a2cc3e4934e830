-- Creates and saves, headless, the session editor-test.sh opens in Ardour's GUI:
-- one audio track "Fuzz" with a fresh Brumvale on it: the VST 3 plug-in, or the
-- LV2 plug-in of that URI.
--
--   luasession -- editor-session.lua SESSION_DIR NAME [LV2_URI]
--
-- Boost is set to 0. Prints
-- "editor-session.lua: route ROUTE_ID processor PROCESSOR_ID boost VALUE"
-- so the caller can name the plug-in's window in the session file and knows the
-- Boost value it starts from. SESSION_DIR must not exist yet; the configuration
-- must unhide the dummy backend and the VST 3 scanner must have cached the
-- plug-in. Exits non-zero, with a message, when anything fails.
-- SPDX-License-Identifier: GPL-3.0-or-later

io.stdout:setvbuf("line")

local session_dir, name, lv2_uri = arg[1], arg[2], arg[3]

local function fail(message)
	error("editor-session.lua: " .. message, 0)
end

local function main()
	if not (session_dir and name) then
		fail("usage: editor-session.lua SESSION_DIR NAME")
	end
	if not AudioEngine:set_backend("None (Dummy)", "", "") then
		fail("cannot select the \"None (Dummy)\" backend (is hide-dummy-backend 0 in the config?)")
	end
	local s = create_session(session_dir, name, 48000)
	if not s then
		fail("create_session failed in " .. session_dir)
	end

	local tracks = s:new_audio_track(2, 2, nil, 1, "Fuzz",
		ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true)
	if tracks:size() ~= 1 then
		fail("new_audio_track made " .. tracks:size() .. " tracks")
	end
	local track = tracks:front()

	local fx
	if lv2_uri then
		fx = ARDOUR.LuaAPI.new_plugin(s, lv2_uri, ARDOUR.PluginType.LV2, "")
	else
		fx = ARDOUR.LuaAPI.new_plugin(s, "Brumvale", ARDOUR.PluginType.VST3, "")
	end
	if fx:isnil() then
		fail("Ardour cannot instantiate Brumvale " .. (lv2_uri or "(VST3)") .. " (not scanned?)")
	end
	-- Before the fader, where Ardour's own plug-in menu puts an effect.
	if track:add_processor_by_index(fx, 0, nil, true) ~= 0 then
		fail("cannot add Brumvale to the track")
	end

	-- The Boost control input, looked up by title like render.lua does. Ardour
	-- sets a new plug-in's controls to the defaults the plug-in reports, and
	-- Brumvale reports +36 dB for Boost: Boost goes to 0 dB (0) here so that
	-- the drag has a known start.
	local plug = fx:to_insert():plugin(0)
	local boost, n = nil, 0
	for j = 0, plug:parameter_count() - 1 do
		if plug:parameter_is_control(j) and plug:parameter_is_input(j) then
			if plug:parameter_label(j) == "Boost" then
				print(string.format("Boost on insertion: %g", ARDOUR.LuaAPI.get_processor_param(fx, n)))
				if not ARDOUR.LuaAPI.set_processor_param(fx, n, 0) then
					fail("cannot set Boost to 0")
				end
				boost = ARDOUR.LuaAPI.get_processor_param(fx, n)
			end
			n = n + 1
		end
	end
	if boost == nil then
		fail("Brumvale has no control input titled \"Boost\"")
	end

	if s:save_state("", false, false, false, false, false) ~= 0 then
		fail("cannot save the session")
	end
	print(string.format("editor-session.lua: route %s processor %s boost %.9g",
		track:to_stateful():id():to_s(), fx:to_stateful():id():to_s(), boost))
end

local ok, err = pcall(main)
pcall(close_session)
if not ok then
	print("ERROR: " .. tostring(err))
	os.exit(1)
end
print("editor-session.lua: done")
os.exit(0)
