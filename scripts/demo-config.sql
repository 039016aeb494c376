-- The configuration tables of a typical installation: a middleware on an eHang platform
-- with a few extensions, two SIP registration accounts, trunk items and match rules.
CREATE TABLE conf_system (id int(10) NOT NULL auto_increment,name varchar(50) default NULL,value varchar(300) default NULL,PRIMARY KEY  (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8;
CREATE TABLE conf_ivr_flow (FlowID int(10) NOT NULL auto_increment,FilePath varchar(512) NOT NULL,PRIMARY KEY  (FlowID)) ENGINE=MyISAM DEFAULT CHARSET=utf8;
CREATE TABLE conf_dev (id int(10) NOT NULL auto_increment,name varchar(50) default NULL,value varchar(300) default NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8;
CREATE TABLE conf_line (id int(10) NOT NULL,type int(10) NOT NULL,value varchar(100) default NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8;
CREATE TABLE conf_vs (id int(10) NOT NULL auto_increment,name varchar(50) default NULL,value varchar(300) default NULL,value2 varchar(300) default NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8;
CREATE TABLE conf_sip_account (id int(10) NOT NULL,account varchar(50) NOT NULL,auth_account varchar(50) NOT NULL,password varchar(30) default NULL,proxy_addr varchar(50) NOT NULL,proxy_port int(10) NOT NULL,reg varchar(10) NOT NULL,reg_interval int(10) NOT NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8;
CREATE TABLE conf_trunk_item(id int(10) NOT NULL,node int(10) NOT NULL,board int(10) NOT NULL,span int(10) NOT NULL,sip_user int(10) NOT NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8;
CREATE TABLE conf_trunk_match(id int(10) NOT NULL auto_increment,prefix varchar(10) NOT NULL,caller varchar(30) NOT NULL,trunk_id int(10) NOT NULL,priority int(10) NOT NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8;

INSERT INTO conf_system (Name, Value) VALUES
  ('CtiAddr', '192.168.10.20'), ('CtiPort', '8811'), ('RecPath', 'D:\\Tarvex\\Record'),
  ('RecType', '0'), ('DevType', '1'), ('AcdPort', '8821'), ('AgentLockedPeriod', '30'),
  ('PPTime', '15'), ('PPType', '0'), ('QueueType', '1'), ('LeaveWordPath', 'D:\\Tarvex\\LeaveWord'),
  ('IvrFlowCount', '2'), ('LogPath', 'D:\\Tarvex\\Log'), ('CallConcurrency', '30'),
  ('TtsBufferPath', 'D:\\Tarvex\\TtsCache'), ('TtsType', '1');

INSERT INTO conf_ivr_flow (FilePath) VALUES
  ('D:\\Tarvex\\Flow\\main.xml'), ('D:\\Tarvex\\Flow\\after_hours.xml');

INSERT INTO conf_dev (Name, Value) VALUES
  ('ScAddr', '192.168.10.30'), ('ScPort', '8801'), ('McAddr', '192.168.10.31'), ('McPort', '9001'),
  ('DigTrunkCount', '60'), ('VoipTrunkCount', '30'), ('VoipSignallingAddr', '192.168.10.32'),
  ('VoipMediaAddr', '192.168.10.33'), ('FaxServerAddr', '192.168.10.34'), ('FaxServerPort', '9100'),
  ('DevLinkIp', '192.168.10.40'), ('DevLinkPwd', 'devlink'), ('IpoLinkPort', '50797'),
  ('FsEslAddr', '192.168.10.50'), ('FsEslPort', '8021'), ('FsEslPwd', 'ClueCon'), ('FsIvrPort', '8084'),
  ('FsTrunkCount', '30'), ('FsExtContext', 'default'), ('FsMeetingContext', 'conference'),
  ('FsPCallContext', 'predictive');

INSERT INTO conf_vs (name, value, value2) VALUES
  ('EXT', '201', '1'), ('EXT', '202', '2'), ('IVR', '210', '3'), ('FAX', '220', ''),
  ('DT', '1', ''), ('SIP', '2', '');

INSERT INTO conf_line (id, type, value) VALUES
  (8001, 0, '8001'), (8002, 0, '8002'), (8003, 0, '8003'), (8004, 0, '8004'),
  (8005, 0, '8005'), (8006, 0, '8006'), (8007, 0, '8007'), (8008, 0, '8008');

INSERT INTO conf_sip_account (id, account, auth_account, password, proxy_addr, proxy_port, reg, reg_interval) VALUES
  (1, '02155501000', '02155501000', 'sip-secret-1', '10.20.0.1', 5060, 'true', 3600),
  (2, '02155501001', '02155501001', 'sip-secret-2', '10.20.0.1', 5060, 'false', 3600);

INSERT INTO conf_trunk_item (id, node, board, span, sip_user) VALUES
  (1, 0, 0, 0, -1), (2, 0, 0, 1, -1), (3, -1, -1, -1, 1);

INSERT INTO conf_trunk_match (prefix, caller, trunk_id, priority) VALUES
  ('0', '', 1, 1), ('9', '', 2, 2), ('1', '021', 3, 3);
